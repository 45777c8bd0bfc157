// The English translation: complete in the repository, chosen from the user's languages, and
// what the window then shows; without it the window keeps its own German and English texts.
#include "app/tools/help_window.h"
#include "app/window/main_window.h"
#include "app/window/translation.h"
#include "chart/rchart.h"
#include "instruments/vmeter.h"
#include "qstring_printer.h"
#include "ui_main_window.h"

#include <QFile>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

TEST(Translation, EveryMessageOfTheEnglishFileIsTranslated)
{
    QFile file(QStringLiteral(VANTOR_TS_DIR "/vantor_en.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int messages = 0;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            EXPECT_TRUE(type.isEmpty()) << type.toStdString() << ": " << source.toStdString();
            EXPECT_FALSE(text.isEmpty()) << source.toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(messages, 50);
}

TEST(Translation, FirstOfTheUsersLanguagesThatIsGermanOrTranslatedWins)
{
    struct Case
    {
        QStringList languages;
        bool english;
    };
    const Case cases[] = {
            {.languages = {QStringLiteral("de-DE")}, .english = false},
            {.languages = {QStringLiteral("de-AT"), QStringLiteral("en-US")}, .english = false},
            {.languages = {QStringLiteral("C")}, .english = false},
            {.languages = {QStringLiteral("fr-FR")}, .english = false},
            {.languages = {}, .english = false},
            {.languages = {QStringLiteral("en-US")}, .english = true},
            {.languages = {QStringLiteral("en-GB")}, .english = true},
            {.languages = {QStringLiteral("fr-FR"), QStringLiteral("en")}, .english = true},
    };
    for (const Case &c : cases) {
        const auto translation = InstallTranslation(c.languages, QStringLiteral(VANTOR_QM_DIR));
        EXPECT_EQ(translation != nullptr, c.english) << c.languages.join(',').toStdString();
        EXPECT_EQ(HelpText().startsWith(QStringLiteral("Overview\n")), c.english);
    }
    EXPECT_TRUE(HelpText().startsWith(QStringLiteral("Übersicht\n"))); // uninstalled again
}

struct WindowTexts
{
    QString channel1Group;
    QString interval;
    QString hint;
    QString xCaption;
    QString meterName;
    QString helpTitle;

    bool operator==(const WindowTexts &) const = default;
};

void PrintTo(const WindowTexts &t, std::ostream *os)
{
    for (const QString *text :
         {&t.channel1Group, &t.interval, &t.hint, &t.xCaption, &t.meterName, &t.helpTitle})
        *os << "\n  \"" << text->toStdString() << '"';
}

WindowTexts TextsOfANewWindow()
{
    TForm1 form;
    form.show(); // the hint under the title follows the channels at show
    Ui::TForm1 &ui = form.Form();
    TFormHilfe help;
    return {ui.GroupBox2->title(),
            ui.LabelTrendInterval->text(),
            ui.Label11->text(),
            ui.RChart1->Scale1X().Caption(),
            ui.AbVMeter1->SignalSettings().Name1(),
            help.windowTitle()};
}

TEST(Translation, WindowShowsItsOwnTextsInGermanAndTheTranslationInEnglish)
{
    struct Case
    {
        const char *language;
        WindowTexts texts;
    };
    const Case cases[] = {
            {.language = "de-DE",
             .texts = {.channel1Group = QStringLiteral("  Kanal 1 (blau) "),
                       .interval = QStringLiteral("Intervall"),
                       .hint = QStringLiteral("Normal: max 5.000 Samples/s, max 100.000 "
                                              "Samples\r\nUpdate alle 50 ms oder länger"),
                       .xCaption = QStringLiteral("Anzahl Samples"),
                       .meterName = QStringLiteral("Kanal 1"),
                       .helpTitle = QStringLiteral("     Hilfe")}},
            {.language = "en-US",
             .texts = {.channel1Group = QStringLiteral("  Channel 1 (blue) "),
                       .interval = QStringLiteral("Interval"),
                       .hint = QStringLiteral("Normal: max 5,000 samples/s, max 100,000 "
                                              "samples\r\nUpdate every 50 ms or longer"),
                       .xCaption = QStringLiteral("Number of samples"),
                       .meterName = QStringLiteral("Channel 1"),
                       .helpTitle = QStringLiteral("     Help")}},
    };
    for (const Case &c : cases) {
        const auto translation
                = InstallTranslation({QString::fromLatin1(c.language)}, VANTOR_QM_DIR);
        EXPECT_EQ(TextsOfANewWindow(), c.texts) << c.language;
    }
}

} // namespace
