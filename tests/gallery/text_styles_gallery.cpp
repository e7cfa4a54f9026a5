// The interface's text styles in the scripts of the game's languages:
// text-styles.png.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/i18n.h"
#include "tests/gallery/gallery.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace {

struct Sample {
    const char* language;
    const char* text;
};

constexpr Sample kSamples[] = {
    {"en", "The adventure begins"},
    {"de", "Abenteuer · Straße"},
    {"pl", "Przygoda się zaczyna"},
    {"tr", "Macera başlıyor"},
    {"vi", "Cuộc phiêu lưu bắt đầu"},
    {"el", "Η περιπέτεια αρχίζει"},
    {"ru", "Приключение начинается"},
    {"uk", "Пригода починається"},
    {"ja", "冒険が始まる・ギルド"},
    {"zh", "冒险开始了，勇者们"},
    {"zh_TW", "冒險開始了，勇者們"},
    {"ko", "모험이 시작된다"},
    {"ar", "تبدأ المغامرة 12"},
    {"fa", "ماجراجویی آغاز می‌شود"},
    {"ur", "مہم شروع ہوتی ہے"},
    {"he", "ההרפתקה מתחילה"},
    {"hi", "रोमांच शुरू होता है"},
    {"ne", "साहसिक यात्रा सुरु हुन्छ"},
    {"bn", "অভিযান শুরু হচ্ছে"},
    {"th", "การผจญภัยเริ่มต้นขึ้น"},
};

struct Row {
    std::string label;
    std::string language;  // active while the row is drawn
    std::string text;
};

rpg::Combatant monster(const char* prefix, const char* base) {
    rpg::Combatant c;
    c.nameKey = std::string("monster.") + base;
    c.prefixKey = std::string("monster.pre.") + prefix;
    return c;
}

// Texts the game builds in a language: right-to-left lines that start with a
// Latin hero name, and prefixed monster names in the language's word order.
std::vector<Row> catalogueRows() {
    rpg::Hero hero;
    hero.name = "Brunhild";
    hero.cls = rpg::ClassId::Warrior;
    std::vector<Row> rows;
    auto add = [&rows](const char* label, const char* language, auto text) {
        i18n::setLanguage(language);
        rows.push_back({label, language, text()});
    };
    add("he name", "he", [&] { return ui::heroTitle(hero); });
    add("ar name", "ar", [&] { return ui::heroTitle(hero); });
    add("fa name", "fa", [] { return i18n::tr("battle.leveledUp", {{"name", "Brunhild"}, {"level", "7"}}); });
    add("ur name", "ur", [] { return i18n::tr("battle.turn", {{"name", "Brunhild"}}); });
    for (const char* language : {"fr", "ru", "ar", "he"}) {
        const std::string label = std::string(language) + " monster";
        add(label.c_str(), language, [] {
            return ui::combatantName(monster("frost", "wolf")) + " \u00b7 " + ui::combatantName(monster("plague", "rat"));
        });
    }
    i18n::setLanguage("en");
    return rows;
}

struct Column {
    const char* name;
    ui::TextStyle style;
};

constexpr double kLabelW = 70;
constexpr double kColW = 242;
constexpr double kRowH = 34;
constexpr double kTop = 40;
constexpr double kFitW = 150;

// Every column shrinks its text to the column, as the interface's labels do.
Column column(const char* name, double size, uint32_t color) {
    Column c{name, {}};
    c.style.size = size;
    c.style.color = color;
    c.style.fitWidth = kColW - 20;
    return c;
}

TEST(TextGallery, StylesInEveryScript) {
    ASSERT_TRUE(uitest::fontsReady());
    Column cols[5] = {column("title", 18, theme::kLightGold), column("body", 15, theme::kCreamText),
                      column("proportional", 15, theme::kParchment), column("fit 150", 20, theme::kGold),
                      column("small italic", 12, theme::kMutedText)};
    cols[0].style.bold = true;
    cols[0].style.upperCase = true;
    cols[0].style.letterSpacing = 1;
    cols[2].style.family = ui::kFontSans;
    cols[3].style.fitWidth = kFitW;
    cols[4].style.italic = true;

    std::vector<Row> samples;
    for (const Sample& sample : kSamples) samples.push_back({sample.language, sample.language, sample.text});
    for (Row& row : catalogueRows()) samples.push_back(std::move(row));
    struct RestoreEnglish {
        ~RestoreEnglish() { i18n::setLanguage("en"); }
    } restore;

    const int rows = static_cast<int>(samples.size());
    const int width = static_cast<int>(kLabelW + 5 * kColW);
    const int height = static_cast<int>(kTop + rows * kRowH + 150);
    uitest::Canvas sheet(width, height);
    cairo_t* cr = sheet.cr;
    ui::fillRect(cr, {0, 0, double(width), double(height)}, theme::kDarkerPanel);

    ui::TextStyle head;
    head.size = 13;
    head.bold = true;
    head.color = theme::kGold;
    for (int c = 0; c < 5; ++c) ui::drawText(cr, kLabelW + c * kColW + 8, 14, cols[c].name, head);

    ui::TextStyle label;
    label.size = 12;
    label.color = theme::kMutedText;
    label.fitWidth = kLabelW - 6;
    for (int r = 0; r < rows; ++r) {
        const double y = kTop + r * kRowH;
        if (r % 2 == 0) ui::fillRect(cr, {0, y, double(width), kRowH}, theme::kDarkPanel);
        i18n::setLanguage("en");
        ui::drawTextIn(cr, {0, y, kLabelW, kRowH}, samples[r].label, label);
        i18n::setLanguage(samples[r].language);
        for (int c = 0; c < 5; ++c) {
            const double x = kLabelW + c * kColW + 8;
            if (c == 3) ui::strokeRoundedRect(cr, {x - 1, y + 3, kFitW + 2, kRowH - 6}, 3, 1, theme::kBrownBorder);
            double w = 0, h = 0;
            ui::measureText(cr, samples[r].text, cols[c].style, &w, &h);
            ui::drawText(cr, x, y + (kRowH - h) / 2, samples[r].text, cols[c].style);
        }
    }
    i18n::setLanguage("en");

    // Wrapped, centred paragraphs and a stack of lines.
    const double y = kTop + rows * kRowH + 12;
    ui::TextStyle para;
    para.size = 14;
    para.color = theme::kCreamText;
    para.align = ui::Align::Centre;
    para.wrapWidth = 300;
    const char* paragraphs[] = {
        "The party rests by the fire; tomorrow the road leads deeper into the ruins.",
        "一行は焚き火のそばで休む。明日、道は廃墟の奥へと続く。",
        "يستريح الفريق بجانب النار، وغدًا يقود الطريق إلى عمق الأطلال.",
    };
    for (int i = 0; i < 3; ++i) {
        const double x = 20 + i * 330;
        ui::fillRoundedRect(cr, {x - 6, y - 4, 312, 120}, 6, theme::kHeaderBrown);
        ui::drawText(cr, x, y, paragraphs[i], para);
    }
    ui::TextStyle big;
    big.size = 26;
    big.bold = true;
    big.color = theme::kLightGold;
    big.upperCase = true;
    ui::TextStyle sub;
    sub.size = 13;
    sub.color = theme::kMutedText;
    const ui::TextLine stack[] = {{"Victory", &big}, {"", &sub}, {"+ 1.250 Gold · 3 Items", &sub}};
    const ui::Rect stackBox{1004, y - 4, 270, 120};
    ui::strokeRoundedRect(cr, stackBox, 6, 1.5, theme::kGold);
    ui::drawTextStack(cr, stackBox, stack, 3, 6);

    gallery::write(sheet.surface, "text-styles");
}

} // namespace
