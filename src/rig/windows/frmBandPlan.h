#pragma once

#include "core/forms/Form.h"
#include "rig/PrivilegeChart.h"

#include <QLabel>
#include <QPushButton>

// "Frequency Privileges": a chart of the bands a licence class may use, one bar per band
// with its CW segments in blue and its phone segments in green, placed in proportion
// within the band. Six buttons choose the class; it opens on Extra. It fills the desktop
// work area, reads BandPlan.txt afresh at every opening and is unloaded when it closes.
class frmBandPlan : public Form {
    Q_OBJECT
public:
    explicit frmBandPlan(const WindowContext& context);

    // Fills the work area, reads the file and draws the Extra chart.
    void Form_Load();

    QPushButton* Command1; // Novice
    QPushButton* Command2; // Technician
    QPushButton* Command3; // Tech +
    QPushButton* Command4; // General
    QPushButton* Command5; // Advanced
    QPushButton* Command6; // Extra
    QPushButton* Command7; // Done
    QLabel* Label1;        // the date the plan is effective
    QLabel* Label2;        // the class shown
    QLabel* Label3;        // legend: CW
    QLabel* Label4;        // legend: Phone
    LineControl* Line1;    // the top of the chart area

    // The chart's labels: bars "blbl1"..., band names "bnlb1"..., segments "priv1"...
    std::vector<QLabel*> chartLabels(const QString& prefix) const;

private:
    void scaleToWorkArea();
    void readBandPlan();
    void DrawPrivilegeChart(const QString& licenceClass);
    void chooseClass(const QString& title, const QString& licenceClass);
    QLabel* addChartLabel(const QString& name, const QRectF& twips, const QString& caption, const QString& toolTip);
    float fontFactor() const;

    std::vector<BandPlanRow> BandPlanRows;
};
