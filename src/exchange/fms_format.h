#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "exchange/route_exchange.h"

namespace nav::exchange {

// X-Plane 11's flight plan (version 1100): its header, NUMENR and as many
// entries as it announces.
ExchangeRoute readFms(std::string_view content, const std::string& fileName);
// Direct legs; the AIRAC cycle of `day` in its header.
std::string fmsText(const ExchangeRoute& route, std::chrono::sys_days day);

// "2412": the AIRAC cycle in force on `day`.
std::string airacCycle(std::chrono::sys_days day);

}  // namespace nav::exchange
