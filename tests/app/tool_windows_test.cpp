#include "app/tools/help_window.h"
#include "app/tools/info_window.h"

#include "qstring_printer.h"

#include <QLabel>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

TEST(HelpText, FiveSectionsWithUnderlinedHeadings)
{
    const QStringList lines = HelpText().split('\n');
    struct Section
    {
        const char *heading;
        int hyphens;
    } const sections[] = {{"Übersicht", 15},
                          {"Datenformat / Formatierungsvorgaben", 57},
                          {"X-Achse", 12},
                          {"Limitierungen ", 20},
                          {"Bedienung", 16}};
    int previous = -1;
    for (const Section &s : sections) {
        SCOPED_TRACE(s.heading);
        const int at = static_cast<int>(lines.indexOf(QString::fromUtf8(s.heading)));
        ASSERT_GT(at, previous);
        EXPECT_EQ(lines.value(at + 1), QString(s.hyphens, '-'));
        if (previous >= 0) {
            EXPECT_EQ(lines[at - 1], "");
            EXPECT_EQ(lines[at - 2], "");
            EXPECT_NE(lines[at - 3], "");
        }
        previous = at;
    }
    EXPECT_EQ(lines.first(), "Übersicht");
}

TEST(HelpText, OperatingTipsAndQuotedLines)
{
    const QStringList lines = HelpText().split('\n');
    const int operating = static_cast<int>(lines.indexOf("Bedienung"));
    for (const char *sub :
         {"Die Bedeutung von Xmax", "Grafik Pan und Zoom", "Reset", "Nach der Datenerfassung"}) {
        const int at = static_cast<int>(lines.indexOf(sub));
        EXPECT_GT(at, operating) << sub;
        EXPECT_EQ(lines.value(at - 1), "") << sub;
    }
    for (const char *quoted :
         {"CR + LF (ASC 13 und ASC 10) als Endekennung.",
          "Syntax;       clr + CR + LF    oder  CLR + CR + LF     (als ASCI-String senden)",
          "Die X-Achse ist im Slow-Display zeitgesteuert."})
        EXPECT_TRUE(lines.contains(quoted)) << quoted;
    const QString text = HelpText();
    for (const char *fact : {"\"Updates alle ms\"", "100.000", "50.000", "Unter Linux", "dialout"})
        EXPECT_TRUE(text.contains(fact)) << fact;
    EXPECT_FALSE(text.contains("Windows"));
}

TEST(ToolWindows, CloseHidesAndShowingAgainBringsThemBack)
{
    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 960, 600);
    TFormInfo info(&mainWindow);
    TFormHilfe help(&mainWindow);

    EXPECT_EQ(info.windowTitle(), "  Info");
    EXPECT_EQ(info.Label1()->text(), "Vantor");
    EXPECT_TRUE(info.Label3()->text().startsWith("Version 1.0\n"));
    EXPECT_TRUE(info.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(info.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(help.windowTitle(), "     Hilfe");
    EXPECT_EQ(help.RichEdit1()->toPlainText(), HelpText());
    EXPECT_TRUE(help.RichEdit1()->isReadOnly());

    for (QWidget *window : {static_cast<QWidget *>(&info), static_cast<QWidget *>(&help)}) {
        EXPECT_FALSE(window->isVisible());
    }
    info.ShowWindow();
    help.ShowWindow();
    EXPECT_TRUE(info.isVisible());
    EXPECT_TRUE(help.isVisible());
    info.Button1Click();
    help.Button1Click();
    EXPECT_FALSE(info.isVisible());
    EXPECT_FALSE(help.isVisible());
    help.ShowWindow();
    EXPECT_TRUE(help.isVisible());
}

} // namespace
