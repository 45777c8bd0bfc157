// The File menu, the terminal page and the slow display's settings panel, driven through the
// window with file names supplied in place of the dialogs.
#include "instruments/trend.h"
#include "main_window_fixture.h"
#include "platform/demo_device.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <set>
#include <sys/stat.h>
#include <vector>

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

// Files that are not what they seem, loaded as a fast display file and as a session: each is
// refused with its own message at once (a FIFO without a writer must not block), and what is
// shown stays exactly as it was: no items, no records, no separator.
TEST_F(WindowToolsTest, BadFilesAreRefusedAndChangeNothing)
{
    TAbTrend &trend = *ui().AbTrend1;
    chart().AddMoveTo(0, 1);
    chart().AddLineTo(1, 2);
    for (int i = 0; i < 3; ++i)
        trend.AddRecord();
    const QByteArray items(reinterpret_cast<const char *>(chart().Items()), 2 * 104);
    const QByteArray records(reinterpret_cast<const char *>(trend.Records().Data()), 3 * 24);

    const auto path = [&](const char *name) { return dir.filePath(QString::fromUtf8(name)); };
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    QFile(path("empty")).open(QIODevice::WriteOnly);
    QFile sparse(path("sparse"));
    const bool haveSparse = sparse.open(QIODevice::WriteOnly) && sparse.resize(qint64(1) << 42);
    sparse.close();
    const struct
    {
        const char *name;
        QString message; // empty: no message at all
    } cases[] = {
            {"folder", path("folder") + QStringLiteral(" ist ein Ordner, keine Datei")},
            {"fifo", path("fifo") + QStringLiteral(" ist keine gewöhnliche Datei")},
            {"sparse", path("sparse") + QStringLiteral(" ist zu groß zum Laden")},
            {"missing", QStringLiteral("Datei nicht gefunden")},
            {"empty", QString()},
    };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    for (QAction *load : {ui().Erfassungladen, ui().SlowDisplaySitzungladen1}) {
        for (const auto &c : cases) {
            if (QLatin1String(c.name) == QLatin1String("sparse") && !haveSparse)
                continue;
            SCOPED_TRACE(load->objectName().toStdString() + " " + c.name);
            messages.Errors.clear();
            fileNames << path(c.name);
            Menu(load);
            if (c.message.isEmpty()) {
                EXPECT_TRUE(messages.Errors.isEmpty());
            } else {
                ASSERT_EQ(messages.Errors.size(), 1);
                EXPECT_TRUE(messages.Errors[0].startsWith(c.message))
                        << messages.Errors[0].toStdString();
            }
            EXPECT_TRUE(messages.Infos.isEmpty());
            ASSERT_EQ(chart().ItemCount(), 2);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(chart().Items()), 2 * 104), items);
            ASSERT_EQ(trend.Records().Count(), 3);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(trend.Records().Data()), 3 * 24),
                      records);
        }
    }
}

// A file whose end was cut loads its whole records and says so.
TEST_F(WindowToolsTest, TruncatedFilesLoadTheirWholeRecordsAndSaySo)
{
    QByteArray vnx(2 * 104 + 50, '\0');
    vnx[61] = 8;
    vnx[64] = 1;
    vnx[104 + 61] = 3;
    vnx[104 + 64] = 1;
    const QString fast = dir.filePath(QStringLiteral("cut.vnx"));
    const QString slow = dir.filePath(QStringLiteral("cut.vns"));
    for (const auto &[name, bytes] : {std::pair {fast, vnx}, std::pair {slow, QByteArray(50, 1)}}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    fileNames << fast << slow;
    Menu(ui().Erfassungladen);
    Menu(ui().SlowDisplaySitzungladen1);
    EXPECT_EQ(chart().ItemCount(), 2);
    EXPECT_EQ(ui().AbTrend1->Records().Count(), 2);
    EXPECT_TRUE(messages.Errors.isEmpty());
    EXPECT_EQ(messages.Infos,
              (QStringList {QStringLiteral("Das Ende von %1 ist abgeschnitten: 2 ganze Datensätze "
                                           "wurden geladen, die letzten 50 Bytes nicht.")
                                    .arg(fast),
                            QStringLiteral("Das Ende von %1 ist abgeschnitten: 2 ganze Datensätze "
                                           "wurden geladen, die letzten 2 Bytes nicht.")
                                    .arg(slow)}));
}

TEST_F(WindowToolsTest, CsvOfThreeChannelsOrMoreWritesOneColumnEach)
{
    ui().ChNRadioButton->setChecked(true); // 3 channels
    ui().ComboBoxChSeperator->setCurrentIndex(0);
    // Two samples of three channels as the decoder draws them: one line per channel.
    for (int layer = 1; layer <= 3; ++layer) {
        chart().SetActiveLayer(layer);
        chart().AddLine(0, layer, 1, 10 * layer);
    }
    const QString name = dir.filePath(QStringLiteral("three.csv"));
    fileNames << name;
    Menu(ui().DatenExportimCSVFormat1);
    EXPECT_EQ(ReadAll(name), QByteArray("1;2;3\r\n10;20;30\r\n"));
}

// A session of every channel of a "DEMO 8" run reads back record for record, and a file that
// the two-channel program wrote (two records, channels 3 to 8 empty) loads as it was.
TEST_F(WindowToolsTest, SlowDisplaySessionKeepsEightChannelsAndLoadsTwoChannelFiles)
{
    TAbTrend &trend = *ui().AbTrend1;
    ChoosePort(QString::fromLatin1(Demo8PortName));
    ui().PageControl2->setCurrentWidget(ui().TabSheetSlowDisplay);
    ui().ChannelCountSpinBox->setValue(8);
    Click(ui().StartButton);
    ASSERT_TRUE(ProcessEventsUntil([&] { return trend.Records().Count() >= 5; }, 20000));
    Click(ui().StopButton);
    for (int k = 1; k <= 8; ++k)
        EXPECT_TRUE(trend.Channel(k).Visible()) << k;
    std::vector<TTrendRecord> recorded(trend.Records().Count());
    for (int i = 0; i < trend.Records().Count(); ++i)
        recorded[size_t(i)] = trend.Records()[i];
    std::set<std::uint16_t> lastWords(std::begin(recorded.back().Word),
                                      std::end(recorded.back().Word));
    EXPECT_GE(lastWords.size(), 5u) << "channels 3 to 8 hold their own values";

    const QString name = dir.filePath(QStringLiteral("eight.vns"));
    fileNames << name << name;
    Menu(ui().SlowDisplaySitzungspeichern1);
    trend.ClearRecords();
    Menu(ui().SlowDisplaySitzungladen1);
    ASSERT_EQ(trend.Records().Count(), int(recorded.size()));
    for (int i = 0; i < trend.Records().Count(); ++i) {
        EXPECT_EQ(trend.Records()[i].Time, recorded[size_t(i)].Time) << i;
        EXPECT_TRUE(std::equal(std::begin(recorded[size_t(i)].Word),
                               std::end(recorded[size_t(i)].Word), trend.Records()[i].Word))
                << i;
    }

    // 2026-12-11 12:00 and one second later, channel words 1000/2000 and 1010/2020.
    const QByteArray twoChannelFile = QByteArray::fromHex("00000000f0a3e640"
                                                          "e803d007000000000000000000000000"
                                                          "c9451800f0a3e640"
                                                          "f203e407000000000000000000000000");
    const QString old = dir.filePath(QStringLiteral("two-channels.vns"));
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(twoChannelFile);
    file.close();
    ui().CH2RadioButton->setChecked(true);
    fileNames << old << name;
    trend.ClearRecords();
    Menu(ui().SlowDisplaySitzungladen1);
    ASSERT_EQ(trend.Records().Count(), 2);
    EXPECT_EQ(trend.Records()[0].Word[0], 1000);
    EXPECT_EQ(trend.Records()[1].Word[1], 2020);
    for (int k = 3; k <= 8; ++k)
        EXPECT_FALSE(trend.Channel(k).Visible()) << k;
    Menu(ui().SlowDisplaySitzungspeichern1);
    EXPECT_EQ(ReadAll(name), twoChannelFile) << "saved again byte for byte";
    EXPECT_TRUE(messages.Errors.isEmpty());
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
