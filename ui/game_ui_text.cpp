// Display texts: game values as the strings the screens show.
#include <climits>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "ui/game_ui.h"

namespace ui {
namespace {

// llround has no defined result for NaN or beyond the range of long long;
// such values (from a damaged save, say) show as 0 or the nearest end.
long long roundedForDisplay(double value) {
    constexpr double kTwo63 = 9223372036854775808.0;
    if (std::isnan(value)) return 0;
    if (value >= kTwo63) return LLONG_MAX;
    if (value < -kTwo63) return LLONG_MIN;
    return std::llround(value);
}

} // namespace

std::string num(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%lld", roundedForDisplay(value));
    std::string digits = buf;
    const bool negative = digits[0] == '-';
    if (negative) digits.erase(0, 1);
    std::string out;
    int counted = 0;
    for (size_t i = digits.size(); i-- > 0;) {
        out.insert(out.begin(), digits[i]);
        if (++counted % 3 == 0 && i > 0) out.insert(out.begin(), '.');
    }
    return negative ? "-" + out : out;
}

std::string formatTime(long long ms) {
    const long long hours = ms / 3600000;
    const long long minutes = (ms / 1000 - hours * 3600) / 60;
    const long long seconds = ms / 1000 - (ms / 60000) * 60;
    char buf[64];  // room for any long long, though real times need far less
    if (ms < 3600000)
        std::snprintf(buf, sizeof buf, "%02lld:%02lld", minutes, seconds);
    else
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", hours, minutes, seconds);
    return buf;
}

std::string formatDateTime(long long ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return {};
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900,
                  local.tm_hour, local.tm_min);
    return buf;
}

} // namespace ui
