#include "app/tools/help_window.h"

#include "app/tools/tool_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPalette>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TFormHilfe::TFormHilfe(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , m_button1(new QPushButton(tr("Close"), this))
    , m_panel1(new QFrame(this))
    , m_richEdit1(new QTextEdit(m_panel1))
{
    setObjectName(QStringLiteral("FormHilfe"));
    setWindowTitle(tr("     Hilfe"));
    setMinimumSize(400, 400);
    setMaximumSize(1600, 1000);
    resize(686, 603);

    m_button1->setObjectName(QStringLiteral("Button1"));
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFrameShape(QFrame::Box);
    m_panel1->setAutoFillBackground(true);
    QPalette panelPalette = m_panel1->palette();
    panelPalette.setColor(QPalette::Window, Qt::white);
    m_panel1->setPalette(panelPalette);

    m_richEdit1->setObjectName(QStringLiteral("RichEdit1"));
    m_richEdit1->setReadOnly(true);
    m_richEdit1->setFrameShape(QFrame::NoFrame);
    m_richEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit1->setAcceptRichText(false);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    m_richEdit1->setFont(font);
    // Keep the selection visible while the box has no focus.
    QPalette textPalette = m_richEdit1->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        textPalette.setColor(QPalette::Inactive, role, textPalette.color(QPalette::Active, role));
    m_richEdit1->setPalette(textPalette);
    m_richEdit1->setPlainText(HelpText());

    auto *panelLayout = new QVBoxLayout(m_panel1);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(m_richEdit1);

    auto *top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(m_button1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top);
    layout->addWidget(m_panel1, 1);

    connect(m_button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TFormHilfe::ShowWindow()
{
    ShowCentredOnParent(this);
}

void TFormHilfe::Button1Click()
{
    hide();
}
