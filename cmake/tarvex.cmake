# One static library per core subsystem folder: src/core/<name>/*.cpp -> tarvex_<name>.
set(TARVEX_CORE_LIBRARIES "" CACHE INTERNAL "")
function(tarvex_core_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/core/${name}/*.cpp)
  add_library(tarvex_${name} STATIC ${sources})
  target_include_directories(tarvex_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(tarvex_${name} PUBLIC ${ARGN})
  set(TARVEX_CORE_LIBRARIES ${TARVEX_CORE_LIBRARIES} tarvex_${name} CACHE INTERNAL "")
endfunction()
