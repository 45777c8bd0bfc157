// The File menu, the terminal page and the slow display's settings panel, driven through the
// window with file names supplied in place of the dialogs.
#include "instruments/trend.h"
#include "main_window_fixture.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class WindowToolsTest : public MainWindowTest
{
protected:
    QByteArray ReadAll(const QString &name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void Menu(QAction *item)
    {
        RunGuarded([item] { item->trigger(); });
    }

    QTemporaryDir dir;
};

TEST_F(WindowToolsTest, CsvOneChannelWritesEverySampleInTheLocaleFormat)
{
    chart().AddMoveTo(0, static_cast<double>(0.1f));
    chart().AddLineTo(1, 2.5);
    chart().AddLineTo(2, -3);
    fileNames << dir.filePath(QStringLiteral("one.csv"));
    Menu(ui().DatenExportimCSVFormat1);
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("one.csv"))),
              QByteArray("0,100000001490116\r\n2,5\r\n-3\r\n"));
}

TEST_F(WindowToolsTest, CsvTwoChannelsPairsTheItems)
{
    ui().CH2RadioButton->setChecked(true);
    ui().ComboBoxChSeperator->setCurrentIndex(3); // the empty entry writes ';'
    fileNames << dir.filePath(QStringLiteral("empty.csv"));
    Menu(ui().DatenExportimCSVFormat1);
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("empty.csv"))), QByteArray("0;0\r\n0;0\r\n"));

    ui().ComboBoxChSeperator->setCurrentIndex(1);
    chart().SetActiveLayer(1);
    chart().AddLine(0, 1, 1, 2);
    chart().SetActiveLayer(2);
    chart().AddLine(0, 10, 1, 20);
    chart().SetActiveLayer(1);
    chart().AddLine(1, 2, 2, 3);
    fileNames << dir.filePath(QStringLiteral("two.csv"));
    Menu(ui().DatenExportimCSVFormat1);
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("two.csv"))),
              QByteArray("1\t10\r\n2\t20\r\n3\t3\r\n"));
}

TEST_F(WindowToolsTest, CancelledDialogDoesNothing)
{
    Menu(ui().ErfassungSpeichern);
    Menu(ui().DatenExportimCSVFormat1);
    EXPECT_TRUE(messages.Errors.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(WindowToolsTest, FastDisplayFileSavesAndLoadsByAppending)
{
    chart().AddMoveTo(0, 1);
    chart().AddLineTo(1, 2);
    const QString name = dir.filePath(QStringLiteral("run.vnx"));
    fileNames << name << name << name;
    Menu(ui().ErfassungSpeichern);
    EXPECT_EQ(QFile(name).size(), 2 * 104);
    Menu(ui().Erfassungladen);
    Menu(ui().Erfassungladen);
    EXPECT_EQ(chart().ItemCount(), 6);
}

TEST_F(WindowToolsTest, SlowDisplaySessionRoundTripAndReportedFailure)
{
    TAbTrend &trend = *ui().AbTrend1;
    trend.Channel1().SetValue(5);
    trend.AddRecord();
    trend.AddRecord();
    const QString name = dir.filePath(QStringLiteral("session.vns"));
    fileNames << name << name;
    Menu(ui().SlowDisplaySitzungspeichern1);
    EXPECT_EQ(QFile(name).size(), 2 * 24);
    trend.ClearRecords();
    Menu(ui().SlowDisplaySitzungladen1);
    EXPECT_EQ(trend.Records().Count(), 2);
    EXPECT_TRUE(messages.Errors.isEmpty());

    // A folder in place of the file cannot be written, not even by root.
    fileNames << dir.path();
    Menu(ui().SlowDisplaySitzungspeichern1);
    EXPECT_EQ(messages.Errors, QStringList {QStringLiteral("Dateizugriff verweigert")});
}

TEST_F(WindowToolsTest, UnwritableCsvReportsTheIoError)
{
    fileNames << dir.filePath(QStringLiteral("missing-folder/out.csv"));
    Menu(ui().DatenExportimCSVFormat1);
    ASSERT_EQ(messages.Errors.size(), 1);
    EXPECT_EQ(messages.Errors[0], QStringLiteral("Datei nicht gefunden"));
}

TEST_F(WindowToolsTest, TerminalSendsTheLineWithOrWithoutCrLf)
{
    ui().PageControl2->setCurrentWidget(ui().TabSheetTerminal);
    form->ComPort1().SetPort(pty.SlavePath()); // as the selector's AutoApply writes it
    ui().EditTerminalSendString->setText(QStringLiteral("AT"));
    Click(ui().BtnTerminalSend); // port closed: nothing is sent
    Click(ui().BtnTerminalStart);
    ASSERT_TRUE(form->ComPort1().Connected());
    EXPECT_TRUE(ui().ComTerminal1->Connected());
    Click(ui().BtnTerminalSend);
    EXPECT_EQ(pty.Read(4), "AT\r\n");
    ui().CheckBoxTerminalCRLF->setChecked(false);
    QMetaObject::invokeMethod(ui().EditTerminalSendString, "returnPressed");
    EXPECT_EQ(pty.Read(2), "AT");

    pty.Write("hello\r\n");
    ASSERT_TRUE(ProcessEventsUntil(
            [&] { return ui().ComTerminal1->Buffer().GetCell(1, 1).Ch == 'h'; }));
    ui().ComboBoxTerminalLines->setCurrentText(QStringLiteral("60"));
    EXPECT_EQ(ui().ComTerminal1->Rows(), 60);
    Click(ui().BtnTerminalStop);
    EXPECT_FALSE(form->ComPort1().Connected());
}

TEST_F(WindowToolsTest, SlowDisplayPanelActions)
{
    TAbTrend &trend = *ui().AbTrend1;
    ui().ComboBoxTrendInterval->setCurrentText(QStringLiteral("0.5"));
    EXPECT_EQ(trend.Interval(), 500u);
    ui().ComboBoxTrendInterval->setCurrentText(QStringLiteral("20")); // ignored until Start
    EXPECT_EQ(trend.Interval(), 500u);

    ui().CheckBoxThickCh1->setChecked(true);
    EXPECT_EQ(trend.Channel1().PenWidth(), 2);
    ui().CheckBoxFlowTrend->setChecked(true);
    Click(ui().JumpRevBtn);
    EXPECT_FALSE(ui().CheckBoxFlowTrend->isChecked());
}

} // namespace
