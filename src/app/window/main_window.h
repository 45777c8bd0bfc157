#pragma once

#include "app/run/acquisition.h"
#include "app/window/file_name_source.h"
#include "chart/chart_control_types.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class TForm1;
}

class ChannelLegend;
class RunRecording;
class ChannelTable;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QWidget;
class TComDataPacket;
class TComPort;
class TCustomComPort;
class TFormHilfe;
class TFormInfo;
class TFormStatistics;
class TWebData;
class VersionCheck;
enum class TDisplayPage;

// The main window. It owns the port, the framer, the run (Acquisition) and the controls of its
// Designer form; its actions are the handlers below, grouped in source files by concern:
// acquisition control, run settings, channels, fast display, slow display, files and export,
// recording, terminal page. Start reads the controls into one RunSettings value and hands it to
// the run; the controls follow the run's phase, and the window never writes the run's state.
// Everything runs on the user-interface thread.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Restores the window when minimised and brings it in front of the others.
    void BringToFront();

    // The windows opened from the menu; set by whoever creates them.
    void SetStatisticsWindow(TFormStatistics *window);
    void SetInfoWindow(TFormInfo *window) { m_infoWindow = window; }
    void SetHelpWindow(TFormHilfe *window) { m_helpWindow = window; }

    // Where the file actions get their names from (dialogs by default; tests supply names).
    void SetFileNameSource(std::unique_ptr<FileNameSource> source);

    Ui::TForm1 &Form() { return *ui; }
    TComPort &ComPort1() { return *m_comPort1; }
    TComDataPacket &ComDataPacket1() { return *m_comDataPacket1; }
    QTimer &Timer1() { return m_acquisition->UpdateTimer(); }
    TWebData &WebData1() { return *m_webData1; }
    Acquisition &Run() { return *m_acquisition; }
    const AcquisitionState &State() const { return m_acquisition->State(); }
    QString StatusText(int panel) const;
    // The recording's part of the status bar, at its right.
    QString RecordingStatusText() const;
    TDisplayPage ActivePage() const;

    // Acquisition control.
    // The settings of a run as the controls give them now; a field that does not convert
    // raises EConvertError naming it (and gets the focus), and nothing else changes.
    RunSettings ReadRunSettings();
    void FormShow();
    void StartButtonClick();
    void StopButtonClick();
    void RunStop() { StopButtonClick(); }
    void Timer1Timer();
    void PageControl2Change();
    void Ch1RadioButtonClick();
    void CH2RadioButtonClick();
    void CheckBoxAutoComClick();
    void CheckBoxPortClick();
    void ComPort1Rx80Full(TCustomComPort *sender);
    void ComPort1DeviceLost();
    // A run or the terminal whose device went away waits for it to come back.
    bool WaitingForPort() const;
    void Einstellungen1Click();

    // Channels.
    void ChNRadioButtonClick();
    void ChannelCountSpinBoxChange();
    void ChannelVisibilityChange();
    void ComboBoxMeterChannelChange();
    void ChannelNamesChange();
    // The chosen channel's name: its name field, or "CH<n>" when that is empty.
    QString ChannelName(int channel) const;
    const ChannelLegend &Legend() const { return *m_legend; }
    // The slow display's legend over the trend, with more than two channels.
    const ChannelLegend &TrendLegend() const { return *m_trendLegend; }

    // Fast display.
    void ClearGraphButtonClick();
    void ResetAxisButtonClick();
    void ShowGridCheckBoxClick();
    void DoubleTicsCheckBoxClick();
    void NormalRadioButtonClick();
    void ZoomRadioButtonClick();
    void TrendCheckBoxClick();
    void RChart1MouseMoveInChart(bool inChart, TShiftState shift, double rMousePosX,
                                 double rMousePosY);
    void TabSheetFastDisplayShow();
    void TabSheetSlowDisplayShow();
    void FormResize();

    // Slow display.
    void ComboBoxTrendIntervalChange();
    void BigJumpRevBtnClick();
    void JumpRevBtnClick();
    void JumpFwdBtnClick();
    void BigJumpFwdBtnClick();
    void AbTrend1NewCursorPos();
    void CheckBoxThickCh1Click();
    void CheckBoxThickCh2Click();

    // Files and export.
    void Grafikdrucken1Click();
    void ErfassungSpeichernClick();
    void ErfassungladenClick();
    void DatenExportimCSVFormat1Click();
    void SlowDisplaySitzungspeichern1Click();
    void SlowDisplaySitzungladen1Click();
    void ToolsCopyFDClipboardClick();
    void MenueStatisticsClick();

    // Recording every sample to a file.
    void RecordButtonClick();
    void RecordMenuItemClick();
    RunRecording &Recording() { return m_acquisition->Recording(); }

    // Terminal page.
    void BtnTerminalStartClick();
    void BtnTerminalStopClick();
    void BtnTerminalSendClick();
    void ButtonClearTerminalClick();
    void ComboBoxTerminalLinesChange();

    // Info menu.
    void BtnHilfeClick();
    void BtnCheckNewVersionClick();
    void Info2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ApplyDesignTimeSettings();
    // The window's controls follow (running, page, channels, Port mode, trend mode).
    void UpdateWindowState();
    // The window's side of a run: preparing the displays at Start, and Idle again after it.
    void SetupAcquisition();
    void RunPhaseChanged(Acquisition::Phase phase);
    void RunEnded();
    void SettleWindow();
    void ApplyChannelCount(int channels);
    int ChosenChannelCount() const;
    bool ChannelShown(int channel) const;
    void ApplyChannelVisibility();
    void UpdateLegend(std::optional<double> cursorX);
    void SetupChannels();
    void SetupRecording();
    void RecordingStateChanged();
    QString TypedChannelName(int channel) const;
    void ShowMeterChannel(int meter);
    void ShowMeterChannels();
    void FillMeterPickers();
    void ApplyChartRanges();
    void SetTrendMode(bool on);
    char ChosenSeparator(char otherwise) const;

    void ConnectActions();
    void SetupStatusBar();
    void SetChannelHint(int channels);
    void SetPageTabEnabled(QWidget *page, bool enabled);
    void SetSettingsTabVisible(QWidget *page, bool visible);
    static void SetMenuEnabled(QMenu *menu, bool enabled);
    static void SetRadioChecked(QRadioButton *radio, bool checked);
    void SetStatusText(int panel, const QString &text);
    void FreezeWindowSize(bool frozen);
    void FitIntoScreen();
    void MakeSettingsPagesScrollable();
    void DetachTerminal();
    // A range edit's value as typed; one that does not read raises with the field's name.
    double ReadRangeEdit(QLineEdit *edit);
    QString ChooseFileName(FileNameSource::Purpose purpose);

    std::unique_ptr<Ui::TForm1> ui;
    std::unique_ptr<TComPort> m_comPort1;
    std::unique_ptr<TComDataPacket> m_comDataPacket1;
    std::unique_ptr<Acquisition> m_acquisition; // refers to the port, framer and displays
    std::unique_ptr<TWebData> m_webData1;
    std::unique_ptr<VersionCheck> m_versionCheck;
    std::unique_ptr<FileNameSource> m_fileNames;
    QLabel *m_statusPanels[3] = {};
    QLabel *m_recordingStatus = nullptr;
    ChannelTable *m_channelTable = nullptr; // owned by its table widget
    ChannelLegend *m_legend = nullptr; // owned by the chart
    ChannelLegend *m_trendLegend = nullptr; // owned by the trend
    // The channel each meter picker was last set to; it shows channel 1 while the run has
    // fewer channels.
    std::array<int, 2> m_meterPicks {1, 2};
    TFormStatistics *m_statistics = nullptr;
    TFormInfo *m_infoWindow = nullptr;
    TFormHilfe *m_helpWindow = nullptr;
    bool m_shown = false;
};
