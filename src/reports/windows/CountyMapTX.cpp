#include "reports/windows/CountyMapTX.h"

#include "core/AppState.h"
#include "entry/Scoring.h"
#include "platform/Screen.h"
#include "reports/CountyMap.h"
#include "reports/windows/CountyMapColouring.h"

#include <QFile>

namespace {

constexpr float ClientWidth = 7860;
constexpr float ClientHeight = 6840;
constexpr QRect PictureBoxArea(0, 0, 517, 453);
constexpr QRect HintArea(32, 376, 129, 41);

QString mapPicturePath() { return QStringLiteral(":/pictures/countymap.png"); }
QString mapLabelsPath() { return QStringLiteral(":/pictures/countymap.txt"); }

std::vector<CountyMapLabel> shippedLabels()
{
    QFile file(mapLabelsPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readCountyMapLabels(file.readAll()).value_or(std::vector<CountyMapLabel>{});
}

} // namespace

CountyMapTX::CountyMapTX(const WindowContext& context)
    : Form(context, QStringLiteral(" Texas County Map"), ClientWidth, ClientHeight),
      m_random(QRandomGenerator::securelySeeded())
{
    setWindowFlags(Qt::Dialog);
    Picture1 = new PictureBox(this);
    Picture1->setGeometry(PictureBoxArea);
    Picture1->setPicture(QImage(mapPicturePath()));
    for (const CountyMapLabel& county : shippedLabels()) {
        auto* label = new QLabel(county.name, Picture1);
        label->setGeometry(county.rect);
        lblCounty.push_back(label);
    }
    Label1 = new QLabel(QStringLiteral("Counties will change color when worked."), Picture1);
    Label1->setGeometry(HintArea);
    Label1->setWordWrap(true);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &CountyMapTX::Timer1_Timer);
    Timer1->start();
}

void CountyMapTX::Form_Load()
{
    const QSizeF screenSize = screen().sizeTwips();
    Left = float((screenSize.width() - Width) / 2);
    Top = float((screenSize.height() - Height) / 2);
    applyGeometry();

    const ReferenceTables& tables = context().state.tables;
    m_areas.clear();
    for (QLabel* label : lblCounty) {
        const QString toolTip = countyLabelToolTip(tables, label->text());
        label->setToolTip(toolTip);
        m_areas.push_back({toolTip, label->geometry()});
        label->clear();
        label->setAutoFillBackground(false);
    }
    if (context().state.log.QsoCount > 0)
        Label1->hide();
}

void CountyMapTX::Timer1_Timer()
{
    Timer1->stop();
    // The counties worked, in the order the log window lists them.
    ColorWorkedCounties(listedCountiesWorked(context().state));
}

void CountyMapTX::ColorWorkedCounties(const QStringList& worked)
{
    colourWorkedCounties(Picture1->picture(), m_areas, worked, m_random);
    Picture1->update();
}
