#include "app/tools/info_window.h"

#include "app/tools/tool_window.h"

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kProjectDetails = QT_TRANSLATE_NOOP("TFormInfo",
                                                      "Version 1.0\n"
                                                      "\n"
                                                      "Vantor developers\n"
                                                      "\n"
                                                      "Live charts of serial data\n"
                                                      "for microcontroller developers\n"
                                                      "\n"
                                                      "https://vantor.example\n"
                                                      "info@vantor.example\n"
                                                      "\n"
                                                      "Free software under the GNU GPL,\n"
                                                      "version 3 or later. No warranty.");

QFont ArialPixels(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TFormInfo::TFormInfo(QWidget *mainWindow)
    : QWidget(mainWindow,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_label1(new QLabel(QStringLiteral("Vantor"), this))
    , m_label3(new QLabel(QCoreApplication::translate("TFormInfo", kProjectDetails), this))
    , m_button1(new QPushButton(QCoreApplication::translate("TFormInfo", "Close"), this))
{
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QCoreApplication::translate("TFormInfo", "  Info"));
    setFixedSize(252, 323);

    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setFont(ArialPixels(20, true));
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setAlignment(Qt::AlignCenter);
    m_label3->setFont(ArialPixels(13));
    m_button1->setObjectName(QStringLiteral("Button1"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 16, 12, 12);
    layout->addWidget(m_label1);
    layout->addWidget(m_label3, 1);
    layout->addWidget(m_button1, 0, Qt::AlignHCenter);

    connect(m_button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TFormInfo::ShowWindow()
{
    ShowCentredOnParent(this);
}

void TFormInfo::Button1Click()
{
    hide();
}
