#include "serial/com_led.h"

#include "serial/com_port.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>

#include <array>

namespace {

class QtRingTimer : public TLedRingTimer
{
public:
    QtRingTimer()
    {
        m_timer.setInterval(1000);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (OnTimer)
                OnTimer();
        });
    }
    void SetInterval(int milliseconds) override { m_timer.setInterval(milliseconds); }
    int Interval() const override { return m_timer.interval(); }
    void Start() override { m_timer.start(); }
    void Stop() override { m_timer.stop(); }
    bool Active() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

// Resource names of the lit and unlit pictures of each kind but lkCustom.
constexpr std::array<const char *, 6> KindNames
        = {"RED", "GREEN", "BLUE", "YELLOW", "PURPLE", "BULB"};

QImage LoadGlyph(TLedKind kind, bool lit)
{
    const auto index = static_cast<std::size_t>(kind);
    return QImage(QStringLiteral(":/leds/LED%1%2.png")
                          .arg(QLatin1String(KindNames[index]),
                               lit ? QLatin1String("ON") : QLatin1String("OFF")));
}

// A picture drawn with transparency: without an alpha channel, the colour of the bottom-left
// pixel is the transparent one.
QImage WithTransparency(const QImage &picture)
{
    if (picture.isNull() || picture.hasAlphaChannel())
        return picture;
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = result.pixel(0, result.height() - 1);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == transparent)
                line[x] = 0;
        }
    }
    return result;
}

} // namespace

TComLed::TComLed(QWidget *parent)
    : QWidget(parent)
    , m_ringTimer(std::make_unique<QtRingTimer>())
{
    resize(25, 25);
    m_link.ConnChanged = [this](TCustomComPort *, bool state) { SignalReported(state); };
    m_ringTimer->OnTimer = [this] { RingTimerFired(); };
    LoadKindGlyphs();
}

TComLed::~TComLed()
{
    MoveLink(m_port, nullptr, this, m_link, {});
}

void TComLed::SetComPort(TCustomComPort *port)
{
    if (port == m_port)
        return;
    MoveLink(m_port, port, this, m_link, [this] { PortGone(); });
    m_port = port;
    if (!m_port)
        SetLedState(TLedState::lsOff);
    else if (m_port->Connected())
        SetLedState(SignalStateOfOpenPort() ? TLedState::lsOn : TLedState::lsOff);
}

void TComLed::PortGone()
{
    m_port->DetachLink(&m_link);
    m_port = nullptr;
    SetLedState(TLedState::lsOff);
}

bool TComLed::SignalStateOfOpenPort() const
{
    switch (m_signal) {
    case TComLedSignal::lsConn:
        return true;
    case TComLedSignal::lsCTS:
        return m_port->ModemSignals().Contains(TComSignal::csCTS);
    case TComLedSignal::lsDSR:
        return m_port->ModemSignals().Contains(TComSignal::csDSR);
    case TComLedSignal::lsRLSD:
        return m_port->ModemSignals().Contains(TComSignal::csRLSD);
    default:
        return false;
    }
}

void TComLed::SetLedSignal(TComLedSignal value)
{
    if (value == m_signal)
        return;
    m_signal = value;
    m_link.ConnChanged = nullptr;
    m_link.CtsChanged = nullptr;
    m_link.DsrChanged = nullptr;
    m_link.RlsdChanged = nullptr;
    m_link.RingSeen = nullptr;
    m_link.TxActive = nullptr;
    m_link.RxActive = nullptr;
    auto report = [this](TCustomComPort *, bool state) { SignalReported(state); };
    switch (value) {
    case TComLedSignal::lsConn:
        m_link.ConnChanged = report;
        break;
    case TComLedSignal::lsCTS:
        m_link.CtsChanged = report;
        break;
    case TComLedSignal::lsDSR:
        m_link.DsrChanged = report;
        break;
    case TComLedSignal::lsRLSD:
        m_link.RlsdChanged = report;
        break;
    case TComLedSignal::lsRx:
        m_link.RxActive = report;
        break;
    case TComLedSignal::lsTx:
        m_link.TxActive = report;
        break;
    case TComLedSignal::lsRing:
        m_link.RingSeen = [this](TCustomComPort *) { RingSeen(); };
        break;
    }
}

void TComLed::SignalReported(bool state)
{
    SetLedState(state ? TLedState::lsOn : TLedState::lsOff);
}

void TComLed::RingSeen()
{
    if (!m_ringTimer->Active())
        m_ringTimer->Start();
    SetLedState(TLedState::lsOn);
}

void TComLed::RingTimerFired()
{
    m_ringTimer->Stop();
    SetLedState(TLedState::lsOff);
}

void TComLed::SetRingTimer(std::unique_ptr<TLedRingTimer> timer)
{
    timer->SetInterval(m_ringTimer->Interval());
    m_ringTimer = std::move(timer);
    m_ringTimer->OnTimer = [this] { RingTimerFired(); };
}

void TComLed::SetState(TLedState value)
{
    if (m_port)
        throw EComPort(TComExceptions::CE_LedStateFailed);
    SetLedState(value);
}

void TComLed::SetLedState(TLedState state)
{
    m_state = state;
    if (OnChange)
        OnChange(this, state);
    update();
}

void TComLed::SetKind(TLedKind value)
{
    if (value == m_kind)
        return;
    m_kind = value;
    LoadKindGlyphs();
    update();
}

void TComLed::LoadKindGlyphs()
{
    if (m_kind == TLedKind::lkCustom)
        return;
    m_glyphOn = LoadGlyph(m_kind, true);
    m_glyphOff = LoadGlyph(m_kind, false);
}

void TComLed::SetGlyphOn(const QImage &value)
{
    if (m_kind != TLedKind::lkCustom)
        return;
    m_glyphOn = WithTransparency(value);
    update();
}

void TComLed::SetGlyphOff(const QImage &value)
{
    if (m_kind != TLedKind::lkCustom)
        return;
    m_glyphOff = WithTransparency(value);
    update();
}

QImage TComLed::Picture()
{
    if (m_glyphOn.isNull() || m_glyphOff.isNull())
        LoadKindGlyphs();
    QImage picture(size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    const QImage &glyph = isEnabled() && m_state == TLedState::lsOn ? m_glyphOn : m_glyphOff;
    if (!glyph.isNull()) {
        QPainter painter(&picture);
        painter.drawImage(std::max(0, (width() - glyph.width()) / 2),
                          std::max(0, (height() - glyph.height()) / 2), glyph);
    }
    return picture;
}

void TComLed::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

void TComLed::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}
