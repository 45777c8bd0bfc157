#include "platform/port_list.h"
#include "serial/com_combo_box.h"
#include "serial/com_led.h"
#include "serial/com_port.h"
#include "support/message_recorder.h"
#include "support/pseudo_terminal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList ItemTexts(const QComboBox &combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.append(combo.itemText(i));
    return texts;
}

// Selects an item as the user does.
void UserSelects(TComComboBox &combo, const QString &text)
{
    const int index = combo.findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo.setCurrentIndex(index);
    emit combo.activated(index);
}

TEST(ComComboBox, PortNamesSortAsTextIgnoringCase)
{
    QStringList names {"COM3", "ttyUSB0", "COM10", "com2", "COM1", "ttyACM0"};
    SortPortNames(names);
    EXPECT_EQ(names, (QStringList {"COM1", "COM10", "com2", "COM3", "ttyACM0", "ttyUSB0"}));
    QStringList present = SerialPortNames();
    QStringList sorted = present;
    SortPortNames(sorted);
    EXPECT_EQ(present, sorted);
}

TEST(ComComboBox, ListsAndSelectsThePortsValue)
{
    struct Case
    {
        TComProperty kind;
        QStringList items;
        QString portValue; // the default port's value
    };
    const Case cases[] = {
            {TComProperty::cpNone, {}, {}},
            {TComProperty::cpBaudRate,
             {"Custom", "110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200",
              "38400", "56000", "57600", "115200", "128000", "256000"},
             "9600"},
            {TComProperty::cpDataBits, {"5", "6", "7", "8"}, "8"},
            {TComProperty::cpStopBits, {"1", "1.5", "2"}, "1"},
            {TComProperty::cpParity, {"None", "Odd", "Even", "Mark", "Space"}, "None"},
            {TComProperty::cpFlowControl, {"Hardware", "Software", "None", "Custom"}, "None"},
    };
    TComPort port;
    for (const auto &c : cases) {
        TComComboBox unbound;
        unbound.SetComProperty(c.kind);
        EXPECT_EQ(ItemTexts(unbound), c.items);
        EXPECT_EQ(unbound.Text(), c.items.value(0)) << "first item without a port";

        TComComboBox bound;
        bound.SetComPort(&port);
        bound.SetComProperty(c.kind);
        EXPECT_EQ(bound.Text(), c.portValue);
    }

    TComComboBox selector;
    selector.SetComProperty(TComProperty::cpDataBits);
    port.SetDataBits(TDataBits::dbSeven);
    selector.SetComPort(&port);
    EXPECT_EQ(selector.Text(), "7");
    EXPECT_EQ(selector.ComSelect().DataBits(), TDataBits::dbSeven);
}

TEST(ComComboBox, PortNameNotListedLeavesNothingSelected)
{
    TComPort port;
    port.SetPort("/dev/vantor-no-such-port");
    TComComboBox selector;
    selector.SetComPort(&port);
    selector.SetComProperty(TComProperty::cpPort);
    EXPECT_EQ(selector.currentIndex(), -1);
    EXPECT_EQ(selector.Text(), "");
}

TEST(ComComboBox, TextSelectsIgnoringCase)
{
    TComComboBox selector;
    selector.SetComProperty(TComProperty::cpParity);
    selector.SetText("eVeN");
    EXPECT_EQ(selector.Text(), "Even");
    selector.SetText("Sometimes");
    EXPECT_EQ(selector.Text(), "Even");
}

TEST(ComComboBox, UserSelectionWritesThroughWithAutoApply)
{
    TComPort port;
    TComComboBox selector;
    selector.SetComPort(&port);
    selector.SetComProperty(TComProperty::cpStopBits);
    int changes = 0;
    selector.OnChange = [&](TComComboBox *sender) {
        EXPECT_EQ(sender, &selector);
        ++changes;
    };

    UserSelects(selector, "1.5");
    EXPECT_EQ(port.StopBits(), TStopBits::sbOneStopBit) << "without AutoApply";
    EXPECT_EQ(selector.ComSelect().StopBits(), TStopBits::sbOne5StopBits);
    selector.SetAutoApply(true);
    UserSelects(selector, "1.5");
    EXPECT_EQ(port.StopBits(), TStopBits::sbOne5StopBits);
    EXPECT_EQ(changes, 2);

    struct Case
    {
        TComProperty kind;
        QString text;
        std::function<bool(TComPort &)> applied;
    };
    const Case cases[] = {
            {TComProperty::cpBaudRate, "115200",
             [](TComPort &p) { return p.BaudRate() == TBaudRate::br115200; }},
            {TComProperty::cpDataBits, "6",
             [](TComPort &p) { return p.DataBits() == TDataBits::dbSix; }},
            {TComProperty::cpParity, "Mark",
             [](TComPort &p) { return p.Parity().Bits() == TParityBits::prMark; }},
            {TComProperty::cpFlowControl, "Hardware",
             [](TComPort &p) { return p.FlowControl().FlowControl() == TFlowControl::fcHardware; }},
    };
    for (const auto &c : cases) {
        selector.SetComProperty(c.kind);
        UserSelects(selector, c.text);
        EXPECT_TRUE(c.applied(port)) << c.text.toStdString();
    }
}

TEST(ComComboBox, UnknownTextsGiveTheFallbacks)
{
    TComSelect select;
    for (TComProperty kind :
         {TComProperty::cpBaudRate, TComProperty::cpDataBits, TComProperty::cpStopBits,
          TComProperty::cpParity, TComProperty::cpFlowControl, TComProperty::cpPort}) {
        select.SetComProperty(kind);
        select.SelectText("Custom");
        select.SelectText("115200");
        select.SelectText("bogus");
    }
    EXPECT_EQ(select.BaudRate(), TBaudRate::br9600);
    EXPECT_EQ(select.DataBits(), TDataBits::dbEight);
    EXPECT_EQ(select.StopBits(), TStopBits::sbOneStopBit);
    EXPECT_EQ(select.Parity(), TParityBits::prNone);
    EXPECT_EQ(select.FlowControl(), TFlowControl::fcCustom);
    EXPECT_EQ(select.Port(), "bogus");
}

TEST(ComComboBox, ForgetsADestroyedPort)
{
    auto port = std::make_unique<TComPort>();
    TComComboBox selector;
    selector.SetComProperty(TComProperty::cpParity);
    port->Parity().SetBits(TParityBits::prOdd);
    selector.SetComPort(port.get());
    EXPECT_EQ(selector.Text(), "Odd");
    port.reset();
    EXPECT_EQ(selector.ComPort(), nullptr);
    EXPECT_EQ(selector.Text(), "None");
}

// Picking another name while the port is open closes it and opens it under the new name; the
// LED bound to the same port goes off and on again.
TEST(ComComboBox, AutoApplyReopensThePortUnderTheNewName)
{
    PseudoTerminal first, second;
    TComPort port;
    port.SetPort(first.SlavePath());
    TComComboBox selector;
    selector.SetComPort(&port);
    selector.SetComProperty(TComProperty::cpPort);
    selector.SetAutoApply(true);
    // The list replaced through the combo box's own operations, as the application may do.
    selector.clear();
    selector.addItems({first.SlavePath(), second.SlavePath()});
    TComLed led;
    led.SetKind(TLedKind::lkGreenLight);
    led.SetComPort(&port);
    port.SetConnected(true);
    ASSERT_EQ(led.State(), TLedState::lsOn);

    std::vector<TLedState> states;
    led.OnChange = [&](TComLed *, TLedState state) { states.push_back(state); };
    UserSelects(selector, second.SlavePath());
    EXPECT_TRUE(port.Connected());
    EXPECT_EQ(port.Port(), second.SlavePath());
    EXPECT_EQ(states, (std::vector<TLedState> {TLedState::lsOff, TLedState::lsOn}));
    EXPECT_EQ(port.SendString("y"), 1);
    EXPECT_EQ(second.Read(1), "y");

    // A name that cannot be opened reaches the general error handler; the port stays closed.
    MessageRecorder messages;
    selector.addItem("/dev/vantor-no-such-port");
    UserSelects(selector, "/dev/vantor-no-such-port");
    EXPECT_FALSE(port.Connected());
    ASSERT_EQ(messages.Errors.size(), 1);
    EXPECT_TRUE(messages.Errors.front().startsWith("Unable to open com port"));
}

// Ports as the system would report two alike adapters and a plain port.
class TwoAdapters
{
public:
    TwoAdapters()
        : m_previous(SetSerialPortSource([] {
            return std::vector<SerialPortDetails> {
                    {"ttyUSB1", "USB serial bridge", "Acme Devices", "B2", {}},
                    {"ttyS0", {}, {}, {}, {}},
                    {"ttyUSB0", "USB serial bridge", "Acme Devices", "A1",
                     "/dev/serial/by-id/usb-Acme_Devices_USB_serial_bridge_A1-if00-port0"}};
        }))
    { }
    ~TwoAdapters() { SetSerialPortSource(m_previous); }

private:
    SerialPortSource m_previous;
};

QString ToolTipOf(const QComboBox &combo, const QString &text)
{
    return combo.itemData(combo.findText(text), Qt::ToolTipRole).toString();
}

TEST(ComComboBox, PortListShowsNamesAndTellsAdaptersApartInTooltips)
{
    TwoAdapters adapters;
    TComComboBox selector;
    selector.SetComProperty(TComProperty::cpPort);
    EXPECT_EQ(ItemTexts(selector), (QStringList {"DEMO", "DEMO 8", "ttyS0", "ttyUSB0", "ttyUSB1"}));
    EXPECT_EQ(ToolTipOf(selector, "ttyUSB0"),
              "USB serial bridge\nManufacturer: Acme Devices\nSerial number: A1\n"
              "/dev/serial/by-id/usb-Acme_Devices_USB_serial_bridge_A1-if00-port0");
    EXPECT_EQ(ToolTipOf(selector, "ttyUSB1"),
              "USB serial bridge\nManufacturer: Acme Devices\nSerial number: B2");
    EXPECT_EQ(ToolTipOf(selector, "ttyS0"), "");
    EXPECT_EQ(ToolTipOf(selector, "DEMO"), "");

    UserSelects(selector, "ttyUSB1");
    EXPECT_EQ(selector.toolTip(), "ttyUSB1\n" + ToolTipOf(selector, "ttyUSB1"));
    UserSelects(selector, "ttyS0");
    EXPECT_EQ(selector.toolTip(), "ttyS0");

    selector.SetComProperty(TComProperty::cpBaudRate); // other settings are plain lists
    EXPECT_FALSE(selector.isEditable());
}

TEST(ComComboBox, LongNameShowsWholeInTheOpenListAndTheTooltip)
{
    const QString stable = "/dev/serial/by-id/usb-Acme_Devices_USB_serial_bridge_A1-if00-port0";
    TComComboBox selector;
    selector.SetComProperty(TComProperty::cpPort);
    selector.resize(92, 22); // as narrow as in the main window
    selector.addItem(stable);
    selector.SetText(stable);
    EXPECT_EQ(selector.toolTip(), stable);

    selector.show();
    selector.showPopup();
    const QAbstractItemView &list = *selector.view();
    EXPECT_GE(list.viewport()->width(), list.fontMetrics().horizontalAdvance(stable));
    EXPECT_GE(list.window()->width(), list.width());
    selector.hidePopup();

    selector.SetComProperty(TComProperty::cpBaudRate); // only a port's name goes to the tooltip
    EXPECT_EQ(selector.toolTip(), "");
}

TEST(ComComboBox, TypedStableNameIsSelectedAndOpened)
{
    PseudoTerminal pty;
    QTemporaryDir byId;
    ASSERT_TRUE(byId.isValid());
    const QString stable = byId.filePath("usb-Acme_Devices_USB_serial_bridge_A1-if00-port0");
    ASSERT_TRUE(QFile::link(pty.SlavePath(), stable));

    TComPort port;
    TComComboBox selector;
    selector.SetComPort(&port);
    selector.SetComProperty(TComProperty::cpPort);
    selector.SetAutoApply(true);
    int changes = 0;
    selector.OnChange = [&](TComComboBox *) { ++changes; };

    ASSERT_TRUE(selector.isEditable());
    selector.lineEdit()->setText(stable);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(selector.lineEdit(), &enter);

    EXPECT_EQ(selector.Text(), stable);
    EXPECT_EQ(port.Port(), stable);
    EXPECT_EQ(changes, 1);
    port.Open();
    ASSERT_TRUE(port.Connected());
    EXPECT_EQ(port.SendString("via the stable name"), 19);
    EXPECT_EQ(pty.Read(19), "via the stable name");

    // Confirming the same name again changes nothing.
    emit selector.lineEdit()->editingFinished();
    EXPECT_EQ(changes, 1);
}

} // namespace
