// The components' design-time state: what every run starts from (nothing is stored between
// runs). Controls of the Designer form that Qt can describe keep their state in the .ui file.
#include "app/window/main_window.h"

#include "app/run/instrument_ranges.h"
#include "app/window/float_edit.h"
#include "chart/num_lab.h"
#include "chart/rchart.h"
#include "instruments/led.h"
#include "instruments/meter_design_look.h"
#include "instruments/trend.h"
#include "instruments/value_indicator.h"
#include "serial/com_combo_box.h"
#include "serial/com_led.h"
#include "serial/com_port.h"
#include "serial/com_terminal.h"
#include "serial/data_packet.h"
#include "ui_main_window.h"

#include <QCoreApplication>
#include <QFont>
#include <QStyle>
#include <QTabBar>

namespace {

void SetupPort(TComPort &port)
{
    port.SetBaudRate(TBaudRate::br115200);
    port.SetPort(QStringLiteral("COM1"));
    port.SetDataBits(TDataBits::dbEight);
    port.SetStopBits(TStopBits::sbOneStopBit);
    // The queue is how long the user-interface thread may be busy elsewhere before a run stops
    // with "Buffer Overflow": 80 % of 1 MiB lasts 35 ms of eight channels at 500,000 lines/s and
    // 60 ms of one channel at 2M lines/s, where 128,000 bytes lasted 4 ms and 7 ms.
    port.Buffer().SetInputSize(1 << 20);
    port.SetTriggersOnRxChar(false);
    port.SetSyncMethod(TSyncMethod::smWindowSync);
}

// How the design places and colours one scale of the chart. No defaults: each scale names every
// field, and the compiler warns about one left out.
struct ScaleDesign
{
    QString caption;
    int captionPosX;
    int captionPosY;
    TAlignment captionAlignment;
    TScaleUnitAnchor captionAnchor;
    TColor colour;
    int scalePos;
    bool visible;
};

void SetupScale(TScaleProps &scale, const ScaleDesign &design)
{
    scale.SetCaption(design.caption);
    scale.SetCaptionPosX(design.captionPosX);
    scale.SetCaptionPosY(design.captionPosY);
    scale.SetCaptionAlignment(design.captionAlignment);
    scale.SetCaptionAnchor(design.captionAnchor);
    scale.SetColorScale(design.colour);
    TFont font = scale.Font();
    font.Name = QStringLiteral("MS Sans Serif");
    font.Height = -13;
    font.Color = clWindowText;
    scale.SetFont(font);
    scale.SetDecPlaces(-2);
    scale.SetMinTicks(3);
    scale.SetScalePos(design.scalePos);
    scale.SetVisible(design.visible);
}

void SetupChart(TRChart &chart)
{
    chart.SuppressPaint(true);
    chart.SetAllocSize(110000);
    chart.SetAutoRedraw(false);
    chart.SetMarginLeft(80);
    chart.SetMarginRight(20);
    chart.SetMarginTop(30);
    chart.SetMarginBottom(45);
    chart.SetWindColor(clWhite);
    chart.SetGridColor(clSilver);
    chart.SetGridStyle(GridStyleType::gsLines);
    chart.SetShadowWidth(1);
    chart.SetShadowStyle(TShadowStyle::ssBox);
    chart.SetShadowColor(clGray);
    chart.SetShadowBakColor(clBtnFace);
    chart.SetCaptionPosY(-28);
    chart.SetCaptionAlignment(TAlignment::taCenter);
    chart.SetCaptionAnchorHoriz(TCaptionAnchorHoriz::cahChartCenter);
    chart.SetCaptionAnchorVert(TCaptionAnchorVert::cavChartTop);
    TFont font;
    font.Name = QStringLiteral("Tahoma");
    font.Height = -15;
    font.Color = clBlack;
    chart.SetFont(font);

    TCrossHair &cross = chart.CrossHair1();
    cross.SetColor(clFuchsia);
    cross.SetLayer(1);
    cross.SetMode(TCrossHMode::chVert);
    cross.SetLineType(TPenStyle::psSolid);
    cross.SetLineWid(1);

    chart.SetMouseAction(TMouseActMode::maPan);
    chart.SetMouseCursorFixed(true);

    using A = TAlignment;
    using U = TScaleUnitAnchor;
    SetupScale(chart.Scale1X(),
               {.caption = QCoreApplication::translate("TForm1", "Anzahl Samples"),
                .captionPosX = 0,
                .captionPosY = 28,
                .captionAlignment = A::taRightJustify,
                .captionAnchor = U::uaSclBotRgt,
                .colour = clBlack,
                .scalePos = 0,
                .visible = true});
    SetupScale(chart.Scale1Y(),
               {.caption = QString(),
                .captionPosX = -30,
                .captionPosY = -28,
                .captionAlignment = A::taLeftJustify,
                .captionAnchor = U::uaSclTopLft,
                .colour = clBlack,
                .scalePos = 0,
                .visible = true});
    SetupScale(chart.Scale2X(),
               {.caption = QString(),
                .captionPosX = 10,
                .captionPosY = 100,
                .captionAlignment = A::taCenter,
                .captionAnchor = U::uaSclCenter,
                .colour = clMaroon,
                .scalePos = 0,
                .visible = false});
    SetupScale(chart.Scale2Y(),
               {.caption = QString(),
                .captionPosX = 0,
                .captionPosY = -28,
                .captionAlignment = A::taRightJustify,
                .captionAnchor = U::uaSclTopLft,
                .colour = clMaroon,
                .scalePos = 80,
                .visible = false});
    chart.Scale3X().SetVisible(false);
    chart.Scale3Y().SetVisible(false);
    chart.Scale4X().SetVisible(false);
    chart.Scale4Y().SetVisible(false);
    chart.SetRange(1, 0, 1, 1000, 10);
    chart.SetRange(2, 0, 1, 1000, 10);
    chart.SuppressPaint(false);
}

void SetupTrend(TAbTrend &trend)
{
    const struct
    {
        TChSettings &channel;
        const char *name;
        TColor colour;
        double valueTo;
    } channels[] = {{trend.Channel1(), "CH1", clBlue, 10}, {trend.Channel2(), "CH2", clRed, 50}};
    for (const auto &c : channels) {
        c.channel.SetName1(QString::fromLatin1(c.name));
        c.channel.SetValueFormat(QStringLiteral("##0.0"));
        c.channel.SetValueUnit(QStringLiteral(" "));
        c.channel.SetColor(c.colour);
        SetChannelRange(c.channel, 0, c.valueTo);
    }
    for (int k = 3; k <= 8; ++k)
        trend.Channel(k).SetVisible(false);
    trend.SetGridXPixel(60);
    trend.SetInterval(100);
    trend.SetInterval2(100);
    trend.SetFlow(false);
    trend.SetTimeFormat(QStringLiteral("hh:mm:ss"));
    trend.SetCursorLine(true);
    trend.SetOptions({TTrendOption::opGrid, TTrendOption::opCursorOnRec, TTrendOption::opSeparator,
                      TTrendOption::opTime, TTrendOption::opLeftScale, TTrendOption::opRightScale});
    trend.SetAbsScaleCh(2);
    trend.SetLeftScaleCh(1);
    trend.BevelOuter().SetStyle(TBevelStyle::bsLowered);
    trend.BevelOuter().SetBevelLine(TBevelLine::blNone);
    trend.BevelInner().SetColor(clWhite);
    trend.Font().SetName(QStringLiteral("Arial"));
    trend.Font().SetHeight(-13);
    trend.Font().SetColor(clBlack);
    trend.CaptionFont().SetHeight(-23);
    trend.SetColorGrid(clGray);
    trend.SetColorSeparator(clMoneyGreen);
    trend.SetColorTime(clMaroon);
    for (TTrendLimit *limit : {&trend.LimitUpper(), &trend.LimitLower()}) {
        limit->SetFilled(false);
        limit->SetEnabled(false);
    }
}

void SetupValueIndicator(TAbValueInd &indicator, const QString &unit)
{
    indicator.SignalSettings().SetValueUnit(unit);
    indicator.SignalSettings().SetValueFormat(QStringLiteral("#######0.000"));
    SetSignalRange(indicator.SignalSettings(), 0, 100);
    indicator.SetOptions({TValueIndOption::opUnit});
    indicator.Font().SetName(QStringLiteral("Arial"));
    indicator.Font().SetHeight(-13);
    indicator.Font().SetColor(clBlack);
    indicator.FontValue().SetName(QStringLiteral("Arial"));
    indicator.FontValue().SetHeight(-13);
    indicator.FontValue().SetColor(clBlack);
    indicator.BevelValue().SetBevelLine(TBevelLine::blNone);
    indicator.BevelValue().SetColor(clSilver);
    indicator.SetAutoSize(true);
}

void SetupLed(TAbLED &led, int bit)
{
    led.SetCaption(QString::number(bit));
    led.SetLED_Position(TLEDPos::lpBottom);
    led.SetMode(TMode::mIndicator);
    led.LED().SetColorOn(clRed);
    led.LED().SetColorOff(clMoneyGreen);
    led.SetChecked(false);
}

void SetupTerminal(TComTerminal &terminal, TComPort &port)
{
    terminal.SetComPort(&port);
    terminal.SetEmulation(TTermEmulation::teNone);
    terminal.SetRows(20);
    TFont font = terminal.Font();
    font.Name = QStringLiteral("Courier New");
    font.Height = -17;
    font.Color = clBlack;
    terminal.SetFont(font);
    terminal.SetColor(clWhite);
    terminal.SetScrollBars(TScrollStyle::ssVertical);
    terminal.SetSmoothScroll(true);
    terminal.SetWrapLines(true);
}

} // namespace

void TForm1::ApplyDesignTimeSettings()
{
    SetupPort(*m_comPort1);
    m_comDataPacket1->SetComPort(m_comPort1.get());
    m_comDataPacket1->SetMaxBufferSize(2048);

    ui->ComComboBox1->SetComPort(m_comPort1.get());
    ui->ComComboBox1->SetComProperty(TComProperty::cpPort);
    ui->ComComboBox1->SetAutoApply(true);
    ui->ComLed1->SetComPort(m_comPort1.get());
    ui->ComLed1->SetLedSignal(TComLedSignal::lsConn);
    ui->ComLed1->SetKind(TLedKind::lkGreenLight);
    ui->ComboBoxBaud->setCurrentText(QStringLiteral("115200"));
    ui->ComboBoxMaxSamples->setCurrentText(QStringLiteral("1000"));
    ui->ComboBoxUpdateRate->setCurrentText(QStringLiteral("500"));
    ui->ComboBoxMaxRec->setCurrentText(QStringLiteral("5000"));
    ui->ComboBoxTrendInterval->setCurrentText(QStringLiteral("0.1"));
    ui->ComboBoxTerminalLines->setCurrentText(QStringLiteral("40"));
    ui->GraphXmaxEdit->setValidator(nullptr);

    struct FloatField
    {
        FloatEdit *edit;
        int decimals;
        bool allowNegative;
    };
    for (const FloatField &f :
         {FloatField {ui->DatSkalEdit, 6, false}, FloatField {ui->DatSkal2Edit, 6, false},
          FloatField {ui->DatOffsetEdit, 6, true}, FloatField {ui->DatOffset2Edit, 6, true},
          FloatField {ui->GraphYmaxEdit, 3, false}, FloatField {ui->GraphY2maxEdit, 3, false},
          FloatField {ui->GraphYminEdit, 3, true}, FloatField {ui->GraphY2minEdit, 3, true},
          FloatField {ui->editMCSampleTime, 3, true}}) {
        f.edit->SetFormat(f.decimals, f.allowNegative);
        f.edit->SetFieldText(f.edit->text());
    }

    SetupChart(*ui->RChart1);
    ui->RChart1->setCursor(TRChart::Pointer(1));
    TNumLab &readout = *ui->NumLab1;
    readout.SetAlignment(TAlignment::taRightJustify);
    readout.SetDisplayType(TDisplay::dtFixP);
    readout.SetPrecision(0);
    readout.SetLabelWidth(80);
    readout.SetRightText(tr("Cursor Time"));

    SetMeterDesignLook(*ui->AbVMeter1, ChannelName(1));
    SetMeterDesignLook(*ui->AbVMeter2, ChannelName(2));
    SetupTrend(*ui->AbTrend1);
    SetupValueIndicator(*ui->AbValueInd1, ChannelName(1));
    SetupValueIndicator(*ui->AbValueInd2, ChannelName(2));
    // The LEDs take their caption font from the display-only group.
    QFont ledFont(QStringLiteral("Arial"));
    ledFont.setPixelSize(13);
    ui->GroupBox5->setFont(ledFont);
    TAbLED *leds[] = {ui->AbLED1, ui->AbLED2, ui->AbLED3, ui->AbLED4,
                      ui->AbLED5, ui->AbLED6, ui->AbLED7, ui->AbLED8};
    for (int bit = 0; bit < 8; ++bit)
        SetupLed(*leds[bit], bit);
    SetupTerminal(*ui->ComTerminal1, *m_comPort1);

    const QStyle *style = this->style();
    ui->StartButton->setIcon(style->standardIcon(QStyle::SP_MediaPlay));
    ui->StopButton->setIcon(style->standardIcon(QStyle::SP_MediaStop));
    ui->ClearGraphButton->setIcon(style->standardIcon(QStyle::SP_DialogDiscardButton));
    ui->ResetAxisButton->setIcon(style->standardIcon(QStyle::SP_BrowserReload));
    ui->BigJumpRevBtn->setIcon(style->standardIcon(QStyle::SP_MediaSeekBackward));
    ui->JumpRevBtn->setIcon(style->standardIcon(QStyle::SP_MediaSkipBackward));
    ui->JumpFwdBtn->setIcon(style->standardIcon(QStyle::SP_MediaSkipForward));
    ui->BigJumpFwdBtn->setIcon(style->standardIcon(QStyle::SP_MediaSeekForward));
    // The active display page's tab: bold on the tooltip colour.
    ui->PageControl2->setStyleSheet(
            QStringLiteral("QTabBar::tab:selected { font-weight: bold; background: %1; }")
                    .arg(ToQColor(clInfoBk).name()));
    // The settings tabs side by side in the panel's width, with eight channels too.
    ui->SettingsPages->tabBar()->setStyleSheet(
            QStringLiteral("QTabBar::tab { padding: 3px 5px; }"));
    ui->SettingsPages->setUsesScrollButtons(false);
    ui->GroupBoxGrafik->setVisible(false);
    ui->PageControl2->setCurrentWidget(ui->TabSheetSlowDisplay);
}
