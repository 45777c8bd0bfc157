#include "chart/rchart.h"

#include "platform/user_interface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>

TCustomRChart::TCustomRChart(QWidget *parent)
    : QWidget(parent)
{
    m_model.SetView(this);
    for (auto *axes : {&m_axisX, &m_axisY}) {
        for (std::unique_ptr<TScale> &axis : *axes) {
            axis = std::make_unique<TScale>(this);
            axis->setVisible(false);
            axis->SuppressPaint(true);
            axis->SetTransparent(true);
            axis->SetFrameStyle(TFrameStyle::fsNone);
        }
    }
    ScalesChanged();
    for (int i = 0; i < 4; ++i) {
        m_crossHairs[static_cast<size_t>(i)] = std::make_unique<TCrossHair>(i + 1);
        m_crossHairs[static_cast<size_t>(i)]->OnChange
                = [this](TCrossHair *) { m_model.RepaintIfAutoRedraw(); };
    }
    for (int i = 1; i <= 4; ++i) {
        m_pointers[static_cast<size_t>(i - 1)] = Pointer(i);
    }
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(280, 200);
    SyncSize();
    m_controlImage = QImage(Width(), Height(), QImage::Format_RGB32);
    m_controlImage.fill(ToQColor(m_windColor));
    ResizeDataImage();
    m_screen = m_controlImage;
}

TCustomRChart::~TCustomRChart()
{
    ResetPointer();
    m_model.SetView(nullptr);
}

TCustomRChart *TCustomRChart::UseDataOf() const
{
    // Every source a chart can be given is a chart, so its view is one.
    const TChartModel *source = m_model.UseDataOf();
    return source ? static_cast<TCustomRChart *>(source->View()) : nullptr;
}

void TCustomRChart::SetUseDataOf(TCustomRChart *source)
{
    m_model.SetUseDataOf(source ? &source->m_model : nullptr);
}

void TCustomRChart::SetGridDx(double value)
{
    if (value >= -3) {
        ChangeLook(m_gridDx, value);
    }
}

void TCustomRChart::SetGridDy(double value)
{
    if (value >= -3) {
        ChangeLook(m_gridDy, value);
    }
}

TCrossHair &TCustomRChart::CrossHair(int index)
{
    return *m_crossHairs[static_cast<size_t>(std::clamp(index, 1, 4) - 1)];
}

void TCustomRChart::SetBackGroundImg(const TBakGndImg &value)
{
    m_backGroundImg = value;
    ++m_look;
    m_model.RepaintIfAutoRedraw();
}

bool TCustomRChart::ShowsPicture() const
{
    return !(testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden));
}

void TCustomRChart::SetBounds(int left, int top, int width, int height)
{
    const QSize applied = m_model.SetChartSize(width, height);
    setGeometry(left, top, applied.width(), applied.height());
    ResizeDataImage();
}

// A hidden widget gets no resize event until it is shown, so the model follows the widget's
// size wherever the size matters.
void TCustomRChart::SyncSize()
{
    if (size() == QSize(Width(), Height())) {
        return;
    }
    const QSize applied = m_model.SetChartSize(width(), height());
    if (applied != size()) {
        resize(applied);
    }
    ResizeDataImage();
}

void TCustomRChart::ResizeDataImage()
{
    const int w = std::max(PlotWidth() + 1, 0);
    const int h = std::max(PlotHeight() + 1, 0);
    if (m_dataImage.size() != QSize(w, h)) {
        m_dataImage = QImage(w, h, QImage::Format_RGB32);
        m_dataImage.fill(ToQColor(m_chartColor));
    }
}

void TCustomRChart::PlotAreaChanged()
{
    ++m_look;
    ResizeDataImage();
}

void TCustomRChart::DataAreaCleared()
{
    ++m_look;
    DrawDataBackground(m_dataImage, 0, 0);
}

void TCustomRChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_screen);
    if (m_dataPresented) {
        painter.drawImage(MarginLeft(), MarginTop(), m_dataImage);
    }
    if (m_rectDragging) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(Qt::white);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_rectStart, m_rectEnd).normalized());
    }
}

QImage TCustomRChart::PresentedImage() const
{
    if (!m_dataPresented) {
        return m_screen;
    }
    QImage image = m_screen.copy();
    QPainter painter(&image);
    painter.drawImage(MarginLeft(), MarginTop(), m_dataImage);
    return image;
}

// Errors of a paint started by the window system (a logarithmic range with a bound <= 0) go
// to the general error handler; the next paint starts over.
void TCustomRChart::resizeEvent(QResizeEvent *)
{
    RunGuarded([this] {
        SyncSize();
        Paint();
    });
}

// The first showing is the creation of the window: painting is allowed from then on. Later
// showings keep the suppression the application chose.
void TCustomRChart::showEvent(QShowEvent *)
{
    RunGuarded([this] {
        SyncSize();
        if (!m_windowCreated) {
            m_windowCreated = true;
            SuppressPaint(false);
        }
    });
}

bool TCustomRChart::focusNextPrevChild(bool)
{
    return false; // the chart wants Tab and the arrow keys
}
