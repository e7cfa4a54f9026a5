// Numbers, clock and date texts. They carry no words, so they read the same
// in every language.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "ui/game_ui.h"

namespace {

TEST(DisplayText, NumRoundsAndGroups) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {0.4, "0"},
        {-0.4, "0"},  // no "-0"
        {-0.5, "-1"},
        {999, "999"},
        {-999, "-999"},
        {1000, "1.000"},
        {1000.5, "1.001"},
        {-1000, "-1.000"},  // never a separator right after the sign
        {-1234, "-1.234"},
        {123456, "123.456"},
        {1234567.49, "1.234.567"},
        {1e6, "1.000.000"},
        {-100000, "-100.000"},
        {std::nan(""), "0"},
        {1e30, "9.223.372.036.854.775.807"},
        {-1e30, "-9.223.372.036.854.775.808"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::num(c.value), c.text) << c.value;
}

TEST(DisplayText, FormatTimeSwitchesAtTheHour) {
    const struct {
        long long ms;
        const char* text;
    } cases[] = {
        {0, "00:00"},
        {999, "00:00"},
        {61000, "01:01"},
        {3599999, "59:59"},
        {3600000, "1:00:00"},
        {3661000, "1:01:01"},
        {360000000, "100:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::formatTime(c.ms), c.text) << c.ms;
}

// Sets TZ for one scope and puts the old value back.
class ScopedZone {
public:
    explicit ScopedZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedZone() {
        if (old_) setenv("TZ", old_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> old_;
};

TEST(DisplayText, FormatDateTimeInLocalTime) {
    const struct {
        const char* zone;
        long long ms;
        const char* text;
    } cases[] = {
        {"UTC0", 0, "01.01.1970 00:00"},
        {"UTC0", 1700000000999, "14.11.2023 22:13"},
        {"XYZ-2", 0, "01.01.1970 02:00"},  // two hours east of Greenwich
        {"XYZ+5", 0, "31.12.1969 19:00"},
    };
    for (const auto& c : cases) {
        ScopedZone zone(c.zone);
        EXPECT_EQ(ui::formatDateTime(c.ms), c.text) << c.zone << " " << c.ms;
    }
}

} // namespace
