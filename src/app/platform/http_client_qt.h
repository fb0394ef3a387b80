#pragma once
// HTTP GET of a whole document with Qt Network, waiting in a local event loop so the windows
// stay responsive; the time-out ends the wait with "Operation timed out".
#include "core/location/geocode.h"

namespace tarvex {

class QtGeocodeHttpClient : public location::HttpClient {
  public:
    location::HttpAnswer get(const std::string& url, int timeout_ms) override;
};

}  // namespace tarvex
