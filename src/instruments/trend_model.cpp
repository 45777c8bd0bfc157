#include "instruments/trend.h"

#include "instruments/timer_service.h"

#include <algorithm>
#include <memory>

namespace {

constexpr TColor kChannelColors[8]
        = {clLime, clYellow, clRed, clFuchsia, 0x4080FF, clAqua, clBtnFace, clBtnHighlight};
constexpr int kSeparatorRecords = 5;

bool ValidChannelNumber(int channel)
{
    return channel >= 0 && channel <= 8;
}

} // namespace

TAbTrend::TAbTrend(QWidget *parent)
    : TAbGraphicControl(parent)
    , m_captionFont(QStringLiteral("Arial"), 14)
{
    // Every paint covers the whole area; the tab page beneath need not paint first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int k = 0; k < 8; ++k) {
        m_channels[k] = std::make_unique<TChSettings>();
        m_channels[k]->SetColor(kChannelColors[k]);
    }
    m_options = {TTrendOption::opCaption,   TTrendOption::opGrid, TTrendOption::opCursorOnRec,
                 TTrendOption::opSeparator, TTrendOption::opTime, TTrendOption::opLeftScale,
                 TTrendOption::opRightScale};
    m_bevelOuter.SetStyle(TBevelStyle::bsRaised);
    m_bevelOuter.SetSpacing(10);
    m_bevelOuter.SetBevelLine(TBevelLine::blOuter);
    m_bevelInner.SetStyle(TBevelStyle::bsLowered);
    m_bevelInner.SetSpacing(1);
    m_bevelInner.SetColor(clBlack);
    m_captionFont.SetStyle({TFontStyle::fsUnderline});
    m_caption = objectName();
    setMouseTracking(true);
    resize(500, 300);
    Loaded();
}

TAbTrend::~TAbTrend()
{
    // The owner may be half destroyed already: no event reaches it from here on.
    OnInterval = nullptr;
    OnMaxRecords = nullptr;
    OnNewCursorPos = nullptr;
    OnRecNoChanged = nullptr;
    OnMouseMove = nullptr;
    m_destroying = true;
    ClearRecords();
    Unregister(this);
}

void TAbTrend::Loaded()
{
    InstallHandlers();
    CopyCurrentSample();
    // A trend that records is registered with the timer service from the start.
    if (m_startRecording)
        Register(this, m_interval);
    TAbGraphicControl::Loaded();
}

void TAbTrend::InstallHandlers()
{
    const auto changed = [this](TAbPersistent *) { RequestRefresh(); };
    for (size_t k = 0; k < m_channels.size(); ++k) {
        m_channels[k]->OnChange = changed;
        // A new value changes only its own channel's word of the current sample.
        m_channels[k]->OnValueChange = [this, k](TChSettings *channel) {
            m_currentSample[k] = TrendWordFromRelDigit(channel->RelDigit());
        };
    }
    m_limitUpper.OnChange = changed;
    m_limitLower.OnChange = changed;
    m_bevelOuter.OnChange = changed;
    m_bevelInner.OnChange = changed;
    m_font.OnChange = changed;
    m_captionFont.OnChange = changed;
}

void TAbTrend::SetInterval(unsigned ms)
{
    if (ms < 100 || ms == m_interval)
        return;
    m_interval = ms;
    if (!m_startRecording)
        return;
    if (m_records.Count() >= 2)
        InsertSeparator(m_records.Count() - 1);
    Register(this, m_interval);
}

void TAbTrend::SetInterval2(unsigned ms)
{
    if (ms >= 100)
        m_interval2 = ms;
}

void TAbTrend::SetMaxRecords(int value)
{
    if (value >= 100)
        m_maxRecords = value;
}

void TAbTrend::SetFlow(bool value)
{
    m_flow = value;
    m_flowActive = m_flow && m_startRecording;
}

void TAbTrend::SetStartRecording(bool value)
{
    m_startRecording = value;
    m_flowActive = m_flow && m_startRecording;
    if (!value) {
        Unregister(this);
        return;
    }
    Register(this, m_interval);
    if (m_records.Count() >= 2)
        InsertSeparator(m_records.Count() - 1);
}

void TAbTrend::SetGridXPixel(int pixels)
{
    if (pixels < 30 || pixels == m_gridXPixel)
        return;
    m_gridXPixel = pixels;
    if (m_paintedOnce && UpdateCount() == 0) {
        PrepareBackground(true);
        CopyPlotToScreen();
    }
}

void TAbTrend::SetGridYSteps(int steps)
{
    if (steps < 1 || steps > 10 || steps == m_gridYSteps)
        return;
    m_gridYSteps = steps;
    RequestRefresh();
}

void TAbTrend::SetAbsScaleCh(int channel)
{
    if (!ValidChannelNumber(channel) || channel == m_absScaleCh)
        return;
    m_absScaleCh = channel;
    RequestRefresh();
}

void TAbTrend::SetLeftScaleCh(int channel)
{
    if (!ValidChannelNumber(channel) || channel == m_leftScaleCh)
        return;
    m_leftScaleCh = channel;
    RequestRefresh();
}

void TAbTrend::SetFillChannelNo(int channel)
{
    if (channel == m_fillChannelNo)
        return;
    if (ValidChannelNumber(channel))
        m_fillChannelNo = channel;
    RequestRefresh();
}

void TAbTrend::SetOptions(TTrendOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    RequestRefresh();
}

void TAbTrend::SetTimeFormat(const QString &format)
{
    if (format == m_timeFormat)
        return;
    m_timeFormat = format;
    RequestRefresh();
}

void TAbTrend::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    RequestRefresh();
}

void TAbTrend::SetColorGrid(TColor color)
{
    if (color == m_colorGrid)
        return;
    m_colorGrid = color;
    RequestRefresh();
}

void TAbTrend::SetColorTime(TColor color)
{
    if (color == m_colorTime)
        return;
    m_colorTime = color;
    RequestRefresh();
}

void TAbTrend::TimerTick(std::uint32_t, std::int32_t lateness)
{
    m_lateness = lateness;
    if (!m_startRecording)
        return;
    AddRecord();
    if (OnInterval)
        OnInterval(this);
}

void TAbTrend::AddRecord()
{
    if (m_destroying)
        return;
    m_busy = true;
    // Busy ends with the record, also when an event handler raises.
    const std::unique_ptr<bool, void (*)(bool *)> busy(&m_busy, [](bool *b) { *b = false; });
    const int n = TrendTrimCount(m_records.Count(), m_maxRecords, m_gridXPixel);
    if (m_flow && n > 0) {
        if (OnMaxRecords)
            OnMaxRecords(this);
        DeleteOldest(n);
        m_nextX = 0;
        m_viewStart = 0;
        PrepareBackground(true);
        DrawRecords(0, m_records.Count() - 1);
    }

    TTrendRecord record;
    record.Time = TAbTimerService::Instance().Clock().Now();
    std::copy(m_currentSample.begin(), m_currentSample.end(), record.Word);
    m_records.Append(record);
    UpdateRecordInfo();

    const int count = m_records.Count();
    const int oldViewStart = m_viewStart;
    if (m_flow) {
        const int followed
                = TrendFollowedViewStart(m_viewStart, m_plot.width(), count, m_gridXPixel);
        if (followed != m_viewStart) {
            m_viewStart = followed;
            m_nextX = 0;
        }
    }
    if (m_viewStart + m_nextX < count - 1) {
        if (m_viewStart != oldViewStart)
            PrepareBackground(true);
        DrawRecords(m_viewStart, count - 1);
        if (m_cursorShown)
            DrawCursor(true);
        else if (Shown() && !m_plotDirty.isEmpty())
            CopyPlotToScreen(m_plotDirty);
    }
}

void TAbTrend::DeleteOldest(int n)
{
    if (n < 0 || n > m_records.Count() - 1)
        return;
    m_records.RemoveFirst(n);
    UpdateRecordInfo();
}

void TAbTrend::InsertSeparator(int index)
{
    if (!m_options.Contains(TTrendOption::opSeparator) || index < 0
        || index > m_records.Count() - 1)
        return;
    TTrendRecord separator;
    if (index > 0)
        separator = m_records[index - 1];
    separator.Time = kTrendSeparatorTime;
    m_records.Insert(index, kSeparatorRecords, separator);
}

void TAbTrend::UpdateRecordInfo()
{
    const int count = m_records.Count();
    if (count >= 2) {
        m_recordInfo.m_totalRecords = static_cast<unsigned>(count);
        m_recordInfo.m_firstRecord = m_records[0].Time;
        m_recordInfo.m_lastRecord = m_records.Last().Time;
    } else {
        m_recordInfo.m_totalRecords = 0;
        m_recordInfo.m_firstRecord = 0.0;
        m_recordInfo.m_lastRecord = 0.0;
    }
    if (OnRecNoChanged)
        OnRecNoChanged(this);
}

void TAbTrend::CopyCurrentSample()
{
    for (int k = 0; k < 8; ++k)
        m_currentSample[k] = TrendWordFromRelDigit(m_channels[k]->RelDigit());
}

void TAbTrend::ClearRecords()
{
    const bool recording = m_startRecording;
    SetStartRecording(false);
    m_nextX = 0;
    m_viewStart = 0;
    m_records.Clear();
    if (!m_destroying)
        RedrawRange(0, -1);
    SetStartRecording(recording);
    m_recordInfo.m_firstDisplayedRec = 0;
    m_recordInfo.m_lastDisplayedRec = 0;
    UpdateRecordInfo();
}
