#include "reports/windows/GraphQSO.h"

#include "core/AppState.h"
#include "core/forms/FormScaler.h"
#include "entry/BandPlan.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// The window's design: its outer size on the reference screen and its client area.
constexpr double DesignWidth = ReferenceScreenWidth;
constexpr double DesignHeight = ReferenceScreenHeight;
constexpr float ClientWidth = 9465;
constexpr float ClientHeight = 6825;

constexpr float PlotLeft = 480;
constexpr float PlotRight = 9240;
constexpr float PlotTop = 120;
constexpr float PlotBottom = 5880;
constexpr float GridSpacing = 360;
constexpr float LabelHeight = 195;

constexpr float TimeLabelLefts[RateTimeLabels] = {120,  750,  1380, 1995, 2625, 3255, 3885, 4515,
                                                  5130, 5760, 6390, 7020, 7650, 8280, 8895};

// The legend's colours: the first six contest bands, then Other.
constexpr std::array<QRgb, RateBandCount> LegendColours = {
    qRgb(255, 255, 255), qRgb(0, 0, 255),   qRgb(255, 0, 0),    qRgb(0, 255, 0),
    qRgb(128, 255, 255), qRgb(255, 0, 255), qRgb(255, 255, 0),
};

QString legendCaption(int k)
{
    return k < RateBandCount - 1 ? contestBands()[k] : QStringLiteral("Other");
}

const QColor GridGrey(128, 128, 128);
const QColor CurveBlue(0, 0, 255);

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QString blackCaption() { return QStringLiteral("Black Background"); }
QString whiteCaption() { return QStringLiteral("White Background"); }

} // namespace

GraphQSO::GraphQSO(const WindowContext& context)
    : Form(context, QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"),
           ClientWidth, ClientHeight)
{
    setWindowFlags(Qt::Dialog);
    auto label = [this](const QString& caption, float left, float top, float width, Qt::Alignment align) {
        auto* l = place(new QLabel(caption, this), ControlKind::Label, left, top, width, LabelHeight);
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };

    Line1 = addLine(PlotLeft, PlotTop, PlotRight, PlotTop);
    Line2 = addLine(PlotLeft, PlotBottom, PlotRight, PlotBottom);
    Line3 = addLine(PlotRight, PlotTop, PlotRight, PlotBottom);
    Line4 = addLine(PlotLeft, PlotTop, PlotLeft, PlotBottom);
    for (size_t j = 0; j < gridLines.size(); ++j) {
        const float y = PlotTop + GridSpacing * float(j + 1);
        gridLines[j] = addLine(500, y, j < 3 ? 9240 : 9220, y);
        gridLines[j]->setPenStyle(Qt::DotLine);
        setTextColour(gridLines[j], GridGrey);
    }
    Line8 = addLine(PlotLeft, 5900, PlotRight, 5900);
    Line9 = addLine(PlotLeft, 6000, PlotRight, 6000);
    Line8->hide();
    Line9->hide();
    for (LineControl* frame : {Line1, Line2, Line3, Line4})
        setTextColour(frame, Qt::white);

    for (int k = 0; k < RateValueLabels; ++k) {
        const float y = PlotBottom - GridSpacing * float(k);
        lblY[size_t(k)] = label(QStringLiteral("0"), 0, y - LabelHeight / 2, 450, Qt::AlignRight);
    }
    for (int k = 0; k < RateTimeLabels; ++k) {
        lblTime[size_t(k)] = label(QStringLiteral("00:00"), TimeLabelLefts[k], 6080, 615, Qt::AlignHCenter);
        lblDate[size_t(k)] = label(QStringLiteral("MM/DD"), TimeLabelLefts[k], 6290, 615, Qt::AlignHCenter);
    }
    Label1 = label(QStringLiteral("Band "), 0, 5880, PlotLeft, Qt::AlignRight);
    for (int k = 0; k < RateBandCount; ++k) {
        QLabel* legend = label(legendCaption(k), 600 + 720 * float(k), 6495, 615,
                               Qt::AlignHCenter);
        QFont bold = legend->font();
        bold.setBold(true);
        legend->setFont(bold);
        setTextColour(legend, QColor::fromRgb(LegendColours[size_t(k)]));
        lblBnd[size_t(k)] = legend;
    }
    Command1 = place(new QPushButton(blackCaption(), this), ControlKind::CommandButton, 8160, 6600, 1215, 220);
    setForeground(Qt::white);
    connect(Command1, &QPushButton::clicked, this, &GraphQSO::Command1_Click);
}

void GraphQSO::setForeground(const QColor& colour)
{
    for (QLabel* label : lblY)
        setTextColour(label, colour);
    for (size_t k = 0; k < lblTime.size(); ++k) {
        setTextColour(lblTime[k], colour);
        setTextColour(lblDate[k], colour);
    }
    setTextColour(Label1, colour);
}

void GraphQSO::Form_Load()
{
    scaleToWorkArea();
    DrawRateGraph();
}

// The window fills the desktop work area; every control grows with it, and the fonts with
// the screen's width, at most by half again.
void GraphQSO::scaleToWorkArea()
{
    const QRectF area = screen().workAreaTwips();
    const double widthRatio = area.width() / DesignWidth;
    const double heightRatio = area.height() / DesignHeight;
    Width = float(ClientWidth * widthRatio);
    Height = float(ClientHeight * heightRatio);
    Left = float(area.left() + (area.width() - DesignWidth * widthRatio) / 2);
    Top = float(area.top() + (area.height() - DesignHeight * heightRatio) / 2);
    FontSize = float(FontSize * widthRatio);
    const double fontFactor = std::min(screen().sizeTwips().width() / DesignWidth, 1.5);
    for (Control& c : controls()) {
        if (c.kind == ControlKind::Line) {
            c.X1 = float(c.X1 * widthRatio);
            c.X2 = float(c.X2 * widthRatio);
            c.Y1 = float(c.Y1 * heightRatio);
            c.Y2 = float(c.Y2 * heightRatio);
            continue;
        }
        c.Left = float(c.Left * widthRatio);
        c.Width = float(c.Width * widthRatio);
        c.Top = float(c.Top * heightRatio);
        c.Height = float(c.Height * heightRatio);
        c.FontSize = float(c.FontSize * fontFactor);
    }
    applyGeometry();
    // applyGeometry sets the fonts anew; the legend stays bold.
    for (QLabel* legend : lblBnd) {
        QFont bold = legend->font();
        bold.setBold(true);
        legend->setFont(bold);
    }
    m_drawing = QImage(size(), QImage::Format_RGB32);
    m_drawing.fill(m_backColor);
}

void GraphQSO::Command1_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool toBlack = Command1->text() != blackCaption();
    Command1->setText(toBlack ? blackCaption() : whiteCaption());
    m_backColor = toBlack ? Qt::black : Qt::white;
    const QColor foreground = toBlack ? Qt::white : Qt::black;
    setForeground(foreground);
    for (const Control& c : controls()) {
        if (c.kind == ControlKind::Line)
            setTextColour(c.widget, foreground);
    }
    // A new background clears the old drawing.
    if (m_drawing.isNull())
        m_drawing = QImage(size(), QImage::Format_RGB32);
    m_drawing.fill(m_backColor);
    DrawRateGraph();
    update();
    QApplication::restoreOverrideCursor();
}

// Computes the graph from the log as it stands and draws it; a log the graph cannot be
// drawn from ends the drawing where that shows, leaving what was labelled or drawn so far.
void GraphQSO::DrawRateGraph()
{
    const LogStoreState& log = context().state.log;
    if (log.QsoCount <= 6) {
        context().services.dialogs->messageBox(
            QStringLiteral("The graph will not display with less than 7 contacts.  The graph becomes more "
                           "meaningful as several hours of contest logging are accumulated."),
            QStringLiteral("Not Enough Contacts to Graph."));
        return;
    }
    const auto contacts = contactsInTimeOrder(log);
    if (!contacts)
        return;
    showTimeLabels(*contacts);
    const auto graph = computeRateGraph(*contacts, LegendColours, m_backColor.rgb());
    if (!graph)
        return;
    for (int k = 0; k < RateValueLabels; ++k)
        lblY[size_t(k)]->setText(rateValueLabel(*graph, k));
    if (graph->PlotMax - graph->PlotMin == 0)
        return; // no range to scale the curve to
    drawCurveAndStrip(*graph);
    update();
}

void GraphQSO::showTimeLabels(const std::vector<RateContact>& contacts)
{
    const qint64 start = contacts.front().utcSeconds;
    const qint64 span = contacts.back().utcSeconds - start;
    for (int k = 0; k < RateTimeLabels; ++k) {
        const QDateTime moment = rateTimeLabelMoment(start, span, k);
        lblTime[size_t(k)]->setText(moment.toString(QStringLiteral("hh:mm")));
        lblDate[size_t(k)]->setText(moment.toString(QStringLiteral("MM/dd")));
    }
}

void GraphQSO::drawCurveAndStrip(const RateGraph& graph)
{
    if (m_drawing.isNull())
        return;
    const double tx = screen().twipsPerPixelX();
    const double ty = screen().twipsPerPixelY();
    const Control& left = *controlFor(Line4);
    const double slotWidth = double(controlFor(Line3)->X1 - left.X1) / RateSlots;
    const double top = controlFor(Line1)->Y1;
    const double bottom = controlFor(Line2)->Y1;
    const double height = bottom - top;
    const double scale = 0.995 * height / double(graph.PlotMax - graph.PlotMin);
    const double stripTop = controlFor(Line8)->Y1;
    const double stripBottom = controlFor(Line9)->Y1;
    auto pixel = [tx, ty](double x, double y) { return QPoint(int(std::lround(x / tx)), int(std::lround(y / ty))); };
    auto slotX = [&](int s) { return left.X1 + 10 + slotWidth * (s - 2); };
    auto slotY = [&](int s) {
        return bottom - scale * double(graph.SlotPlot[size_t(s)] - graph.PlotMin) - 0.0025 * height;
    };

    QPainter painter(&m_drawing);
    painter.setPen(CurveBlue);
    for (int i = 1; i <= RateSlots; ++i) {
        painter.drawLine(pixel(slotX(i), slotY(i)), pixel(slotX(i - 1), slotY(i - 1)));
        if (graph.SlotPlot[size_t(i)] > 0 || graph.SlotPlot[size_t(i - 1)] > 0) {
            // Both corners belong to the piece.
            const QPoint a = pixel(slotX(i), stripTop);
            const QPoint b = pixel(slotX(i - 1), stripBottom);
            const QRect piece(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                              QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
            painter.fillRect(piece, QColor::fromRgb(graph.SlotColor[size_t(i)]));
        }
    }
}

void GraphQSO::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_drawing.isNull())
        painter.fillRect(rect(), m_backColor);
    else
        painter.drawImage(0, 0, m_drawing);
}
