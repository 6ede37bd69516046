#pragma once

#include "core/forms/Form.h"
#include "reports/RateGraph.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <array>

// " Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)": the contact rate
// over the whole contest, smoothed, with a strip under the curve in the colour of the band
// in use. It fills the desktop work area, is loaded afresh for each modal showing and so
// always shows the log as it stands. The curve and the strip are drawn into a picture
// kept by the window, under the frame, the grid and the labels, so they survive being
// covered.
class GraphQSO : public Form {
    Q_OBJECT
public:
    explicit GraphQSO(const WindowContext& context);

    // Fills the work area with the window, scales its controls and draws the graph.
    void Form_Load();
    // Switches between the black and the white background and draws again.
    void Command1_Click();

    // The plot area's frame: top, bottom, right, left.
    LineControl* Line1;
    LineControl* Line2;
    LineControl* Line3;
    LineControl* Line4;
    // The grid, every 360 twips from the top of the plot area down: Line5 to Line7, then
    // Line10 to Line21.
    std::array<LineControl*, 15> gridLines{};
    // Top and bottom of the band strip; never shown.
    LineControl* Line8;
    LineControl* Line9;
    std::array<QLabel*, RateValueLabels> lblY{};  // from the bottom frame line up
    std::array<QLabel*, RateTimeLabels> lblTime{};
    std::array<QLabel*, RateTimeLabels> lblDate{};
    QLabel* Label1; // "Band "
    std::array<QLabel*, RateBandCount> lblBnd{}; // the legend, each in its band's colour
    QPushButton* Command1;

    QColor backColor() const { return m_backColor; }
    // What has been drawn so far, the size of the window's client area.
    const QImage& drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawRateGraph();
    void scaleToWorkArea();
    void showTimeLabels(const std::vector<RateContact>& contacts);
    void drawCurveAndStrip(const RateGraph& graph);
    void setForeground(const QColor& colour);

    QColor m_backColor = Qt::black;
    QImage m_drawing;
};
