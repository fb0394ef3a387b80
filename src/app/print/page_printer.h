#pragma once
// Draws print sections (core/exchange/print_layout.h) on a paged device: a printer, the print
// preview or a PDF file. Each group starts on a new page; the font is fixed-pitch so the
// columns line up, and shrinks (not below 5 pt) until a group's widest line fits the page.
#include <QFont>
#include <QPainter>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/print_layout.h"

class QPagedPaintDevice;

namespace tarvex {

// "Lucida Console" where the platform has it, else the platform's fixed-pitch font.
QFont fixed_pitch_font(qreal point_size = 9);

class PagePrinter {
  public:
    // `program` is the name the heading gives after k_heading_start.
    PagePrinter(QPagedPaintDevice& device, std::string program);
    ~PagePrinter();
    // Opens the device; false when the printer or the file cannot be opened.
    bool begin();
    // Prints one group on pages of its own; false when the device failed.
    bool print(const print::Section& section);
    // Finishes the document; false when the device failed.
    bool end();
    int pages() const { return pages_; }

  private:
    QPagedPaintDevice& device_;
    std::string program_;
    QPainter painter_;
    int pages_ = 0;
    bool begun_ = false;
};

}  // namespace tarvex

namespace tarvex {

class SystemStore;
class GroupFiles;

// What a print command printed, or why it stopped: `error` is the message the user sees
// ("Problem in printerroutine bank: ..."), empty when everything was printed.
struct PrintRun {
    int groups = 0;
    int pages = 0;
    std::string error;
    bool ok() const { return error.empty(); }
};

// Prints one group (group >= 0), every group of a system (group -1) or every group of every
// system (system 0) from the group files, in store order. `progress` gets the waiting text
// before each group.
PrintRun print_groups(QPagedPaintDevice& device, const SystemStore& store, const GroupFiles& files,
                      int system, int group, const std::string& file_name,
                      const std::function<void(std::string_view)>& progress = {});
// Prints sections already built (the open grid as it is shown).
PrintRun print_sections(QPagedPaintDevice& device, const std::vector<print::Section>& sections);

// The program's name in the heading of every page.
inline constexpr const char* k_print_program = "Tarvex";

}  // namespace tarvex
