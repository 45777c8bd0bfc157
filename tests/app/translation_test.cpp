// The German and English translations: complete in the repository, chosen from the user's
// languages, and what the window then shows; the "C" locale and languages without a translation
// keep the window's own German and English texts.
#include "app/tools/help_window.h"
#include "app/window/main_window.h"
#include "app/window/translation.h"
#include "chart/rchart.h"
#include "instruments/vmeter.h"
#include "qstring_printer.h"
#include "ui_main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

// Source text -> translation, over all contexts, of one .ts file; every message must be finished.
QHash<QString, QString> ReadTranslations(const char *language)
{
    QFile file(QStringLiteral(VANTOR_TS_DIR "/vantor_%1.ts").arg(QLatin1String(language)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << language;
    QXmlStreamReader xml(&file);
    QHash<QString, QString> messages;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            EXPECT_TRUE(type.isEmpty())
                    << language << ' ' << type.toStdString() << ": " << source.toStdString();
            EXPECT_FALSE(text.isEmpty()) << language << ": " << source.toStdString();
            messages.insert(source, text);
        }
    }
    EXPECT_FALSE(xml.hasError()) << language << ' ' << xml.errorString().toStdString();
    return messages;
}

TEST(Translation, EveryMessageOfBothFilesIsTranslated)
{
    const auto german = ReadTranslations("de");
    const auto english = ReadTranslations("en");
    EXPECT_GT(german.size(), 100);
    // Both files cover the same texts: update_translations refreshes them together.
    EXPECT_EQ(QSet<QString>(german.keyBegin(), german.keyEnd()),
              QSet<QString>(english.keyBegin(), english.keyEnd()));
}

TEST(Translation, FirstOfTheUsersLanguagesThatIsTranslatedWins)
{
    struct Case
    {
        QStringList languages;
        const char *language; // of the translation installed, "" for the source texts
        const char *yes; // Qt's own button text
    };
    const Case cases[] = {
            {.languages = {QStringLiteral("de-DE")}, .language = "de", .yes = "&Ja"},
            {.languages = {QStringLiteral("de-CH")}, .language = "de", .yes = "&Ja"},
            {.languages = {QStringLiteral("de-AT"), QStringLiteral("en-US")},
             .language = "de",
             .yes = "&Ja"},
            {.languages = {QStringLiteral("C")}, .language = "", .yes = "&Yes"},
            {.languages = {}, .language = "", .yes = "&Yes"},
            {.languages = {QStringLiteral("fr-FR")}, .language = "", .yes = "&Oui"},
            {.languages = {QStringLiteral("en-US")}, .language = "en", .yes = "&Yes"},
            {.languages = {QStringLiteral("en-GB")}, .language = "en", .yes = "&Yes"},
            {.languages = {QStringLiteral("fr-FR"), QStringLiteral("en")},
             .language = "en",
             .yes = "&Yes"}, // Qt's texts follow Vantor's language
            {.languages = {QStringLiteral("fr-FR"), QStringLiteral("de-DE")},
             .language = "de",
             .yes = "&Ja"},
    };
    const QString overview = QStringLiteral("Übersicht\n");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.languages.join(',').toStdString());
        const auto translation = InstallTranslation(c.languages, QStringLiteral(VANTOR_QM_DIR));
        const auto qt
                = InstallQtTranslation(c.languages, translation.get(), QtTranslationsFolder());
        EXPECT_EQ(translation ? translation->language() : QString(), QLatin1String(c.language));
        EXPECT_EQ(HelpText().startsWith(overview), QLatin1String(c.language) != "en");
        EXPECT_EQ(HelpText().contains(QStringLiteral("Slow-Display")), !translation);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QLatin1String(c.yes));
    }
    EXPECT_TRUE(HelpText().contains(QStringLiteral("Slow-Display"))); // uninstalled again
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
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
                       .meterName = QStringLiteral("CH1"),
                       .helpTitle = QStringLiteral("     Hilfe")}},
            {.language = "en-US",
             .texts = {.channel1Group = QStringLiteral("  Channel 1 (blue) "),
                       .interval = QStringLiteral("Interval"),
                       .hint = QStringLiteral("Normal: max 5,000 samples/s, max 100,000 "
                                              "samples\r\nUpdate every 50 ms or longer"),
                       .xCaption = QStringLiteral("Number of samples"),
                       .meterName = QStringLiteral("CH1"),
                       .helpTitle = QStringLiteral("     Help")}},
    };
    for (const Case &c : cases) {
        const auto translation
                = InstallTranslation({QString::fromLatin1(c.language)}, VANTOR_QM_DIR);
        EXPECT_EQ(TextsOfANewWindow(), c.texts) << c.language;
    }
}

// Every text a person sees on a new main window, line by line: title, menus and their items,
// buttons, labels, group and tab titles, tool tips and the texts drawn by the instruments. The
// meters and readouts name their channels, names the person gives, in no language.
QStringList VisibleTextsOfANewWindow()
{
    TForm1 form;
    form.show();
    Ui::TForm1 &ui = form.Form();
    QStringList texts {form.windowTitle(), ui.RChart1->Scale1X().Caption(),
                       ui.NumLab1->RightText()};
    for (const QMenu *menu : form.findChildren<QMenu *>())
        texts << menu->title();
    for (const QAction *action : form.findChildren<QAction *>())
        texts << action->text() << action->toolTip();
    for (const QWidget *widget : form.findChildren<QWidget *>()) {
        texts << widget->toolTip();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text();
        else if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        else if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            texts << group->title();
        else if (const auto *tabs = qobject_cast<const QTabWidget *>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
    }
    QStringList lines;
    static const QRegularExpression letter(QStringLiteral("[A-Za-zÄÖÜäöüß]"));
    for (const QString &text : texts)
        for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r?\n"))))
            if (line.contains(letter))
                lines << line;
    lines.removeDuplicates();
    return lines;
}

// Lines of the translations' texts, so that texts shown in parts ("...\r\n...") match.
QSet<QString> Lines(const QList<QString> &texts)
{
    QSet<QString> lines;
    for (const QString &text : texts)
        for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r?\n"))))
            lines.insert(line);
    return lines;
}

TEST(Translation, EveryVisibleTextOfTheWindowIsInTheLocalesLanguage)
{
    const auto german = ReadTranslations("de");
    const auto english = ReadTranslations("en");
    const QSet<QString> sources = Lines(german.keys());
    const QSet<QString> germanTexts = Lines(german.values());
    const QSet<QString> englishTexts = Lines(english.values());
    struct Case
    {
        const char *locale;
        const QSet<QString> &expected; // every line shown is one of these
        QSet<QString> foreign; // and none of these
    };
    const Case cases[] = {
            {.locale = "de_DE", .expected = germanTexts, .foreign = sources - germanTexts},
            {.locale = "en_US", .expected = englishTexts, .foreign = sources - englishTexts},
            {.locale = "C", .expected = sources, .foreign = (germanTexts + englishTexts) - sources},
            {.locale = "fr_FR",
             .expected = sources,
             .foreign = (germanTexts + englishTexts) - sources},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.locale);
        const auto translation = InstallTranslation(QLocale(QLatin1String(c.locale)).uiLanguages(),
                                                    QStringLiteral(VANTOR_QM_DIR));
        const QStringList shown = VisibleTextsOfANewWindow();
        EXPECT_GT(shown.size(), 60);
        for (const QString &line : shown) {
            EXPECT_TRUE(c.expected.contains(line))
                    << "not from the translation: \"" << line.toStdString() << '"';
            EXPECT_FALSE(c.foreign.contains(line))
                    << "in another language: \"" << line.toStdString() << '"';
        }
    }
}

} // namespace
