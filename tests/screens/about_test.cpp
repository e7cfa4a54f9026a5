// The about and licences pages open their links through the desktop (a
// recording opener here) and lead from one to the other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/about_layout.h"
#include "screens/common.h"
#include "screens/licenses_list.h"
#include "tests/screens/nav_support.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

std::vector<std::string>& opened() {
    static std::vector<std::string> urls;
    return urls;
}

int recordUrl(const char* url) {
    opened().push_back(url);
    return 0;
}

class LinkTest : public testing::Test {
protected:
    void SetUp() override {
        opened().clear();
        ui::setLinkOpener(&recordUrl);
    }
    void TearDown() override { ui::setLinkOpener(nullptr); }

    static void open(harness::ScreenHarness& h, int screen) {
        ui::GameState s;
        s.screen = screen;
        h.start(s);
        h.frame();
    }
};

TEST_F(LinkTest, AboutLinksOpenTheirAddresses) {
    harness::ScreenHarness h(&ui::Game::instance());
    open(h, ui::kAbout);
    const ui::AboutPage page = ui::aboutLayout(h.ctx(), navtest::headerBottom(h));
    for (const ui::AboutLine& line : page.lines) {
        if (!line.address.empty()) h.click(line.box.x + line.box.w / 2, line.box.y + line.box.h / 2);
    }
    EXPECT_EQ(opened(), (std::vector<std::string>{"mailto:hello@harlowen-software.example",
                                                  "https://harlowen-software.example",
                                                  "https://harlowen-software.example/velmorandine",
                                                  "https://sox.sourceforge.io"}));

    const ui::Rect b = page.licensesButton;
    h.click(b.x + b.w / 2, b.y + b.h / 2);
    EXPECT_EQ(h.top().screen, ui::kLicenses);
}

TEST_F(LinkTest, EveryLicenceEntryOpensItsAddress) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 2600);  // the whole list in view
    open(h, ui::kLicenses);
    const double top = navtest::headerBottom(h);
    const double s = h.ctx().uiScale;
    for (int i = 0; i < ui::kLicenseCount; ++i) {
        SCOPED_TRACE(ui::licenseEntry(i).component);
        opened().clear();
        navtest::clickStill(h, h.ctx().width / 2, ui::licenseEntryTop(top, i, 0, s) + 70 * s);
        ASSERT_EQ(opened().size(), 1u);
        EXPECT_EQ(opened()[0], ui::linkUrl(ui::licenseEntry(i).address));
        EXPECT_TRUE(opened()[0].starts_with("http")) << "a web address";
    }
}

TEST_F(LinkTest, AnAddressWithoutSchemeOpensAsHttps) {
    EXPECT_EQ(ui::linkUrl("harlowen-software.example"), "https://harlowen-software.example");
    EXPECT_EQ(ui::linkUrl("http://mpg123.org/"), "http://mpg123.org/");
    EXPECT_EQ(ui::linkUrl("mailto:a@b.example"), "mailto:a@b.example");
    ui::openLink("harlowen-software.example");
    ui::openLink("");
    EXPECT_EQ(opened(), std::vector<std::string>{"https://harlowen-software.example"});
}

// An entry scrolled away above the list takes no click where its address
// would lie, nor does the part of an address hidden under the header.
TEST_F(LinkTest, LicenceEntriesOutOfViewTakeNoClicks) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 720);
    open(h, ui::kLicenses);
    const double top = navtest::headerBottom(h);
    const double s = h.ctx().uiScale;
    const double x = h.ctx().width / 2;
    const std::string first = ui::linkUrl(ui::kLicensesCommon[0].address);

    navtest::dragBy(h, x, 400, -150 * s);
    const double gone = ui::licenseEntryTop(top, 0, 150 * s, s);
    ASSERT_LT(gone + 92 * s, top) << "entry 0 lies wholly above the list";
    navtest::clickStill(h, x, gone + 70 * s);
    EXPECT_TRUE(opened().empty());

    navtest::dragBy(h, x, 400, 30 * s);
    const double partly = ui::licenseEntryTop(top, 0, 120 * s, s);
    ASSERT_LT(partly + 66 * s, top);
    ASSERT_GT(partly + 80 * s, top) << "its address straddles the header's edge";
    navtest::clickStill(h, x, top - 1);
    EXPECT_TRUE(opened().empty());
    navtest::clickStill(h, x, top + 2);
    EXPECT_EQ(opened(), std::vector<std::string>{first});
}

} // namespace

// The smallest window keeps the page at full size, since it fits there and
// its scale already shrinks it; only a page that would run under its button
// takes the small-window factor.
TEST(AboutPage, ShrinksOnlyWhenThePageWouldNotFit) {
    struct Case {
        int w, h;
        double factor;
    };
    for (const Case c : {Case{860, 560, 1.0}, Case{1280, 720, 1.0}, Case{860, 320, 0.62}}) {
        harness::ScreenHarness h(nullptr, c.w, c.h);
        h.frame();
        const ui::AboutPage page = ui::aboutLayout(h.ctx(), ui::kHeaderHeight * h.ctx().uiScale);
        EXPECT_EQ(page.factor, c.factor) << c.w << "x" << c.h;
        const ui::AboutLine& last = page.lines.back();
        if (c.factor == 1.0) {
            EXPECT_LE(last.box.y + last.box.h, page.licensesButton.y) << c.w << "x" << c.h;
        }
    }
}
