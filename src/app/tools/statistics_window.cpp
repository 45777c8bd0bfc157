#include "app/tools/statistics_window.h"

#include "platform/number_text.h"
#include "platform/rounding.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

TFormStatistics::TFormStatistics(QWidget *mainWindow)
    : QDialog(mainWindow,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_btnAnalyze(new QPushButton(
              QCoreApplication::translate("TFormStatistics", "Analyze Channel 1"), this))
    , m_btnCopy(new QPushButton(QCoreApplication::translate("TFormStatistics", "Copy To Clipboard"),
                                this))
    , m_btnClose(new QPushButton(QCoreApplication::translate("TFormStatistics", "Close"), this))
    , m_memo(new QPlainTextEdit(QCoreApplication::translate("TFormStatistics", "Statistics"), this))
{
    setObjectName(QStringLiteral("FormStatistics"));
    setWindowTitle(QCoreApplication::translate("TFormStatistics", "  Statistics"));
    setFixedSize(440, 283);

    m_btnAnalyze->setObjectName(QStringLiteral("btnAnalyze"));
    m_btnCopy->setObjectName(QStringLiteral("btnCopy"));
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnAnalyze->setAutoDefault(false);
    m_btnCopy->setAutoDefault(false);
    m_btnClose->setAutoDefault(false);

    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    m_memo->setFont(font);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_btnAnalyze);
    buttons->addWidget(m_btnCopy);
    buttons->addStretch();
    buttons->addWidget(m_btnClose);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_memo, 1);
    layout->addLayout(buttons);

    connect(m_btnAnalyze, &QPushButton::clicked, this, [this] { btnAnalyzeClick(); });
    connect(m_btnCopy, &QPushButton::clicked, this, [this] { btnCopyClick(); });
    connect(m_btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void TFormStatistics::ShowModal()
{
    if (QWidget *owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    exec();
}

void TFormStatistics::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormStatistics::FormShow()
{
    m_memo->clear();
}

void TFormStatistics::Analyze(const std::vector<double> &samples)
{
    m_memo->clear();
    m_vec1.ZeroElems();
    const int count = static_cast<int>(
            std::min<std::size_t>(samples.size(), std::numeric_limits<int>::max()));
    m_vec1.SetNrOfElem(std::max(count, 1));
    for (int i = 0; i < count; ++i)
        m_vec1.SetElem(i + 1, ToSingle(samples[static_cast<std::size_t>(i)]));

    const int low = 1;
    const int high = std::max(count, 1);
    double minimum = 0, maximum = 0, mean = 0, variance = 0;
    double q1 = 0, q2 = 0, q3 = 0, skewness = 0, kurtosis = 0;
    m_vec1.RangeMinMax(low, high, minimum, maximum);
    m_vec1.RangeMeanVar(low, high, mean, variance);
    m_vec1.RangeQuartiles(low, high, q1, q2, q3);
    m_vec1.RangeSkewKurt(low, high, skewness, kurtosis);

    const std::pair<const char *, double> lines[] = {
            {QT_TRANSLATE_NOOP("TFormStatistics", "Min        =  "), minimum},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Max        =  "), maximum},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Mean       =  "), mean},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Std Dev    =  "), std::sqrt(variance)},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Quartile 1 =  "), q1},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Quartile 2 =  "), q2},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Quartile 3 =  "), q3},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Skewness   =  "), skewness},
            {QT_TRANSLATE_NOOP("TFormStatistics", "Kurtoisis  =  "), kurtosis},
    };
    for (const auto &[label, value] : lines)
        m_memo->appendPlainText(QCoreApplication::translate("TFormStatistics", label)
                                + FormatStatistic(value));
}

void TFormStatistics::btnAnalyzeClick()
{
    Analyze(SampleSource ? SampleSource() : std::vector<double>());
}

void TFormStatistics::btnCopyClick()
{
    m_memo->selectAll();
    m_memo->copy();
}

void TFormStatistics::btnCloseClick()
{
    reject();
}
