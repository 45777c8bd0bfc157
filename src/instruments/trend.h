#pragma once

#include "instruments/bevel.h"
#include "instruments/graphic_control.h"
#include "instruments/signal_settings.h"
#include "instruments/trend_layout.h"
#include "instruments/trend_options.h"
#include "instruments/trend_pen_mode.h"
#include "instruments/trend_records.h"
#include "instruments/trend_settings.h"

#include <QImage>

#include <array>
#include <functional>
#include <memory>

// The time-based recorder: samples the current values of eight channels at every tick of the
// timer service (period Interval ms) into time-stamped records, draws them as staircase curves
// one record per plot column, follows the newest record in Flow mode, shows a cursor line with
// the values under it, and saves and loads its records as a session file.
//
// Drawing goes to two images: the plot (curves, grid, limits; never the cursor line) and the
// screen (frame, scales and the last copy of the plot, with the cursor line), which paintEvent
// shows. Owns its channels, limits, bevels, fonts and records. User-interface thread only.
class TAbTrend : public TAbGraphicControl
{
public:
    using TNotifyEvent = std::function<void(TAbTrend *sender)>;
    using TMouseMoveEvent = std::function<void(TAbTrend *sender, Qt::KeyboardModifiers shift,
                                               Qt::MouseButtons buttons, int x, int y)>;

    explicit TAbTrend(QWidget *parent = nullptr);
    ~TAbTrend() override;

    // Channels 1 .. 8.
    TChSettings &Channel(int k) { return *m_channels[k - 1]; }
    const TChSettings &Channel(int k) const { return *m_channels[k - 1]; }
    TChSettings &Channel1() { return Channel(1); }
    TChSettings &Channel2() { return Channel(2); }
    TChSettings &Channel3() { return Channel(3); }
    TChSettings &Channel4() { return Channel(4); }
    TChSettings &Channel5() { return Channel(5); }
    TChSettings &Channel6() { return Channel(6); }
    TChSettings &Channel7() { return Channel(7); }
    TChSettings &Channel8() { return Channel(8); }

    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned ms);
    unsigned Interval2() const { return m_interval2; }
    void SetInterval2(unsigned ms);
    int MaxRecords() const { return m_maxRecords; }
    void SetMaxRecords(int value);
    bool Flow() const { return m_flow; }
    void SetFlow(bool value);
    bool StartRecording() const { return m_startRecording; }
    void SetStartRecording(bool value);
    int GridXPixel() const { return m_gridXPixel; }
    void SetGridXPixel(int pixels);
    int GridYSteps() const { return m_gridYSteps; }
    void SetGridYSteps(int steps);
    int AbsScaleCh() const { return m_absScaleCh; }
    void SetAbsScaleCh(int channel);
    int LeftScaleCh() const { return m_leftScaleCh; }
    void SetLeftScaleCh(int channel);
    int FillChannelNo() const { return m_fillChannelNo; }
    void SetFillChannelNo(int channel);
    TTrendOptions Options() const { return m_options; }
    void SetOptions(TTrendOptions options);
    QString TimeFormat() const { return m_timeFormat; }
    void SetTimeFormat(const QString &format);
    TTrendLimit &LimitUpper() { return m_limitUpper; }
    TTrendLimit &LimitLower() { return m_limitLower; }
    const TRecInfo &RecordInfo() const { return m_recordInfo; }
    const TVAtCursor &ValueAtCursor() const { return m_valueAtCursor; }

    // Appearance.
    TAbSBevel &BevelOuter() { return m_bevelOuter; }
    TAbSBevel &BevelInner() { return m_bevelInner; }
    TAbFont &Font() { return m_font; }
    TAbFont &CaptionFont() { return m_captionFont; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TColor ColorCursorLine() const { return m_colorCursorLine; }
    void SetColorCursorLine(TColor color) { m_colorCursorLine = color; }
    bool CursorLine() const { return m_cursorLine; }
    void SetCursorLine(bool on) { m_cursorLine = on; }
    TPenMode CursorLinePenMode() const { return m_cursorLinePenMode; }
    void SetCursorLinePenMode(TPenMode mode) { m_cursorLinePenMode = mode; }
    TColor ColorGrid() const { return m_colorGrid; }
    void SetColorGrid(TColor color);
    TColor ColorSeparator() const { return m_colorSeparator; }
    void SetColorSeparator(TColor color) { m_colorSeparator = color; }
    TColor ColorTime() const { return m_colorTime; }
    void SetColorTime(TColor color);

    // Public state.
    int VisibleRecords() const { return m_visibleRecords; }
    void SetVisibleRecords(int records) { m_visibleRecords = records; }
    int ViewStart() const { return m_viewStart; }
    int NextX() const { return m_nextX; }
    bool Busy() const { return m_busy; }
    bool FlowActive() const { return m_flowActive; }
    int Lateness() const { return m_lateness; }
    const TTrendRecords &Records() const { return m_records; }
    const std::array<std::uint16_t, 8> &CurrentSample() const { return m_currentSample; }

    // Operations.
    void ClearRecords();
    void ScrollRecords(int delta);
    int SaveToFile(const QString &fileName);
    int LoadFromFile(const QString &fileName);
    int LoadRecords(const QString &fileName, bool clearFirst);

    void TimerTick(std::uint32_t counter, std::int32_t lateness) override;
    void TimerTick(std::int32_t lateness) { TimerTick(0, lateness); }
    void AddRecord();
    void DeleteOldest(int n);
    void InsertSeparator(int index);
    void UpdateRecordInfo();
    void CopyCurrentSample();
    void RedrawRange(int first, int last);
    void PrepareBackground(bool clear);
    void DrawRecords(int first, int last);

    void SettingsChanged() override;
    void Invalidate() override;

    // What the drawing computed: the plot area in control coordinates, the label height, the
    // plot row of relative digit 0, the plot image (never holding the cursor line) and the
    // image shown on the screen.
    QRect PlotRect() const { return m_plotRect; }
    int LabelHeight() const { return m_labelHeight; }
    int ZeroY() const { return m_zeroY; }
    const QImage &PlotImage() const { return m_plot; }
    const QImage &ScreenImage() const { return m_screen; }
    bool CursorShown() const { return m_cursorShown; }
    int CursorX() const { return m_cursorX; }

    TNotifyEvent OnInterval;
    TNotifyEvent OnMaxRecords;
    TNotifyEvent OnNewCursorPos;
    TNotifyEvent OnRecNoChanged;
    TMouseMoveEvent OnMouseMove;

protected:
    void Loaded() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // Drawing.
    void Paint();
    TTrendFrameLayout LayoutFrame(QPainter &painter, const QRect &content,
                                  const QString &leftLabels, const QString &rightLabels);
    void PaintScales(QPainter &painter, const TTrendFrameLayout &layout, QString leftLabels,
                     QString rightLabels);
    QString LabelListOf(int channel) const;
    QString UnitOf(int channel) const;
    void DrawLimits(QPainter &painter);
    void DrawGrid(QPainter &painter);
    void DrawCurves(const TTrendPass &pass);
    void DrawSeparatorsAndTimes(QPainter &painter, const TTrendPass &pass);
    QString TimeLabel(TDateTime time) const;
    QString DateLabel(TDateTime time) const;
    // Copies the plot, or a part of it in plot coordinates, to the screen.
    void CopyPlotToScreen();
    void CopyPlotToScreen(QRect area);
    void DrawCursor(bool whole);
    bool Shown() const { return !isHidden(); }

    // Navigation.
    void MoveCursor(int x, int y);
    void HideCursor();

    void InstallHandlers();

    std::array<std::unique_ptr<TChSettings>, 8> m_channels;
    unsigned m_interval = 1000;
    unsigned m_interval2 = 250;
    int m_maxRecords = 2000;
    bool m_flow = true;
    bool m_startRecording = true;
    int m_gridXPixel = 60;
    int m_gridYSteps = 10;
    int m_absScaleCh = 1;
    int m_leftScaleCh = 0;
    int m_fillChannelNo = 0;
    TTrendOptions m_options;
    QString m_timeFormat;
    TTrendLimit m_limitUpper {90.0f};
    TTrendLimit m_limitLower {10.0f};
    TRecInfo m_recordInfo;
    TVAtCursor m_valueAtCursor;

    TAbSBevel m_bevelOuter;
    TAbSBevel m_bevelInner;
    TAbFont m_font;
    TAbFont m_captionFont;
    QString m_caption;
    TColor m_colorCursorLine = clLime;
    bool m_cursorLine = true;
    TPenMode m_cursorLinePenMode = TPenMode::pmNotMask;
    TColor m_colorGrid = clBtnShadow;
    TColor m_colorSeparator = clBtnHighlight;
    TColor m_colorTime = clBtnHighlight;

    TTrendRecords m_records;
    std::array<std::uint16_t, 8> m_currentSample {};
    int m_visibleRecords = 0;
    int m_viewStart = 0;
    int m_nextX = 0;
    bool m_busy = false;
    bool m_flowActive = true;
    int m_lateness = 0;
    bool m_destroying = false;

    QImage m_screen;
    QImage m_plot;
    QRect m_plotRect;
    QRect m_plotDirty; // plot area drawn since the last copy to the screen
    int m_labelHeight = 0;
    int m_zeroY = 0;
    double m_pixelsPerMille = 0.0;
    bool m_paintedOnce = false;
    bool m_fullPaintPending = true;
    int m_cursorX = -1;
    int m_prevCursorX = 0;
    bool m_cursorShown = false;
    bool m_lineOnScreen = false; // the screen shows a cursor line at PrevCursorX
    int m_cursorRecord = 0;
};
