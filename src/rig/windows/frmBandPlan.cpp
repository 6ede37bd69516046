#include "rig/windows/frmBandPlan.h"

#include "core/AppState.h"
#include "core/forms/FormScaler.h"
#include "platform/Dialogs.h"
#include "platform/FileLookup.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <algorithm>
#include <cmath>

namespace {

// The outer size as designed: 9480 by 6690 inside, with a dialog's border and title bar.
constexpr float DesignWidth = 9480 + 90;
constexpr float DesignHeight = 6690 + 405;

const QString Navy = QStringLiteral("#000080");
const QString Blue = QStringLiteral("#0000ff");
const QString Green = QStringLiteral("#00ff00");
const QString Yellow = QStringLiteral("#ffff00");
const QString White = QStringLiteral("#ffffff");
const QString Black = QStringLiteral("#000000");

void colour(QLabel* label, const QString& back, const QString& text)
{
    label->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; border: 1px solid black; }")
                             .arg(back, text));
}

} // namespace

frmBandPlan::frmBandPlan(const WindowContext& context)
    : Form(context, QStringLiteral("Frequency Privileges"), DesignWidth, DesignHeight)
{
    setOuterFrame(true);
    FontSize = 8.25f;
    const auto button = [this](const char* caption, float left, float width) {
        return place(new QPushButton(QLatin1String(caption), this), ControlKind::CommandButton, left, 80, width, 300,
                     8.25f);
    };
    Command1 = button("Novice", 120, 855);
    Command2 = button("Technician", 1080, 975);
    Command3 = button("Tech +", 2160, 975);
    Command4 = button("General", 3240, 1095);
    Command5 = button("Advanced", 4440, 975);
    Command6 = button("Extra", 5520, 975);
    Command7 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 4080, 6360, 1215, 300,
                     8.25f);

    Label1 = place(new QLabel(QStringLiteral("Frequencies Effective"), this), ControlKind::Label, 120, 400, 6375, 300, 9);
    controlFor(Label1)->FontName = QStringLiteral("Arial");
    colour(Label1, Navy, White);
    Label2 = place(new QLabel(QStringLiteral("Privelages"), this), ControlKind::Label, 6600, 120, 2775, 255, 8.25f);
    controlFor(Label2)->FontName = QStringLiteral("Arial Narrow");
    colour(Label2, Navy, White);
    Label3 = place(new QLabel(QStringLiteral("CW"), this), ControlKind::Label, 6600, 420, 1335, 255, 8.25f);
    colour(Label3, QStringLiteral("palette(window)"), White);
    Label4 = place(new QLabel(QStringLiteral("Phone"), this), ControlKind::Label, 8040, 420, 1335, 255, 8.25f);
    colour(Label4, QStringLiteral("palette(window)"), Black);
    for (QLabel* label : {Label1, Label2, Label3, Label4})
        label->setAlignment(Qt::AlignCenter);
    Line1 = addLine(120, 720, 9360, 720);

    connect(Command1, &QPushButton::clicked, this,
            [this] { chooseClass(QStringLiteral("Novice Frequency Privileges"), QStringLiteral("N")); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { chooseClass(QStringLiteral("Technician Frequency Privileges"), QStringLiteral("T")); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { chooseClass(QStringLiteral("Technician Plus Frequency Privileges"), QStringLiteral("P")); });
    connect(Command4, &QPushButton::clicked, this,
            [this] { chooseClass(QStringLiteral("General Frequency Privileges"), QStringLiteral("G")); });
    connect(Command5, &QPushButton::clicked, this,
            [this] { chooseClass(QStringLiteral("Advanced Frequency Privileges"), QStringLiteral("A")); });
    connect(Command6, &QPushButton::clicked, this,
            [this] { chooseClass(QStringLiteral("Extra Frequency Privileges"), QStringLiteral("E")); });
    connect(Command7, &QPushButton::clicked, this, &QWidget::hide);
}

void frmBandPlan::Form_Load()
{
    scaleToWorkArea();
    colour(Label4, Green, Black);
    colour(Label3, Blue, White);
    readBandPlan();
}

float frmBandPlan::fontFactor() const
{
    return std::min(float(screen().sizeTwips().width() / ReferenceScreenWidth), 1.5f);
}

// The window takes the whole work area at its top left corner; every control grows with
// it, and the fonts with the screen's width, at most by half again.
void frmBandPlan::scaleToWorkArea()
{
    const QRectF area = screen().workAreaTwips();
    stretchTo(QRectF(0, 0, area.width(), area.height()));
    const float factor = fontFactor();
    for (Control& c : controls())
        c.FontSize *= factor;
    applyGeometry();
}

void frmBandPlan::readBandPlan()
{
    const BandPlanFile file =
        readBandPlanFile(FileLookup::resolve(context().state.folders.WorkingDirectory, QStringLiteral("BandPlan.txt")));
    if (file.effective)
        Label1->setText(QStringLiteral("Frequencies Effective: ") + *file.effective);
    BandPlanRows = file.rows;
    if (!file.ok) {
        context().services.dialogs->messageBox(QStringLiteral("Band data not available."),
                                               QStringLiteral("Band Data Not Available."), Dialogs::Buttons::Ok);
        return;
    }
    chooseClass(QStringLiteral("Extra Frequency Privileges"), QStringLiteral("E"));
}

void frmBandPlan::chooseClass(const QString& title, const QString& licenceClass)
{
    Label2->setText(title);
    DrawPrivilegeChart(licenceClass);
}

std::vector<QLabel*> frmBandPlan::chartLabels(const QString& prefix) const
{
    std::vector<QLabel*> labels;
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->objectName().startsWith(prefix))
            labels.push_back(label);
    std::sort(labels.begin(), labels.end(), [&prefix](const QLabel* a, const QLabel* b) {
        return a->objectName().mid(prefix.size()).toInt() < b->objectName().mid(prefix.size()).toInt();
    });
    return labels;
}

QLabel* frmBandPlan::addChartLabel(const QString& name, const QRectF& twips, const QString& caption,
                                   const QString& toolTip)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    label->setToolTip(toolTip);
    label->setAlignment(Qt::AlignCenter);
    const double tx = screen().twipsPerPixelX();
    const double ty = screen().twipsPerPixelY();
    label->setGeometry(int(std::lround(twips.left() / tx)), int(std::lround(twips.top() / ty)),
                       int(std::lround(twips.width() / tx)), int(std::lround(twips.height() / ty)));
    label->show();
    return label;
}

void frmBandPlan::DrawPrivilegeChart(const QString& licenceClass)
{
    for (const char* prefix : {"blbl", "priv", "bnlb"})
        for (QLabel* label : chartLabels(QLatin1String(prefix)))
            delete label;

    const ChartLayout chart = privilegeChart(BandPlanRows, licenceClass);
    if (chart.bands.empty())
        return;
    const float W = Width;
    const float H = Height;
    const float factor = fontFactor();
    const float top = controlFor(Line1)->Y1;
    const float pitch = 0.8f * (H - top) / float(chart.bands.size());
    std::vector<QRectF> bars;
    for (std::size_t k = 0; k < chart.bands.size(); ++k) {
        const ChartBand& band = chart.bands[k];
        const QRectF bar(0.1 * W, top + float(k + 1) * pitch, 0.85 * W, 0.04 * H);
        bars.push_back(bar);
        colour(addChartLabel(QStringLiteral("blbl%1").arg(k + 1), bar, band.name, bandToolTip(band)), Black, Black);
    }
    for (std::size_t k = 0; k < chart.bands.size(); ++k) {
        const ChartBand& band = chart.bands[k];
        const QRectF name(0.04 * W, bars[k].top(), 0.05 * W, bars[k].height());
        QLabel* label = addChartLabel(QStringLiteral("bnlb%1").arg(k + 1), name, band.name, bandToolTip(band));
        colour(label, Yellow, Black);
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(double(8 * factor));
        font.setBold(true);
        label->setFont(font);
    }
    int m = 0;
    for (const ChartSegment& segment : chart.segments) {
        const ChartBand& band = chart.bands[segment.band];
        const QRectF& bar = bars[segment.band];
        const double span = double(band.edgeUpper) - double(band.edgeLower);
        const double left = bar.left() + bar.width() * (double(segment.lower) - double(band.edgeLower)) / span;
        const double width = bar.width() * (double(segment.upper) - double(segment.lower)) / span;
        if (width < 0)
            return; // a segment whose edges are reversed ends the chart
        QLabel* label = addChartLabel(QStringLiteral("priv%1").arg(++m), QRectF(left, bar.top(), width, bar.height()),
                                      segmentCaption(segment), segmentToolTip(segment));
        if (segment.mode == QLatin1String("CW"))
            colour(label, Blue, White);
        else
            colour(label, Green, Black);
        QFont font(QStringLiteral("Arial Narrow"));
        font.setPointSizeF(double(7 * factor));
        label->setFont(font);
        label->raise();
    }
}
