#pragma once

#include "core/forms/Form.h"
#include "reports/CountyMap.h"
#include "reports/windows/PictureBox.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QStringList>
#include <QTimer>
#include <vector>

// " Texas County Map": the host state's counties, each county worked so far filled with a
// colour of its own. One invisible label lies over each county and shows its abbreviation
// as a tool tip. Loaded afresh for each modal showing, so the colouring is done again, in
// new colours, every time.
class CountyMapTX : public Form {
    Q_OBJECT
public:
    explicit CountyMapTX(const WindowContext& context);

    // Centres the window on the screen and turns the labels' county names into tool tips
    // with the counties' abbreviations.
    void Form_Load();
    // Runs once, just after the window shows: colours the worked counties.
    void Timer1_Timer();

    PictureBox* Picture1;
    std::vector<QLabel*> lblCounty; // one per county, in the label table's order
    QLabel* Label1;                 // the hint for an empty log
    QTimer* Timer1;

private:
    void ColorWorkedCounties(const QStringList& worked);

    // What each label stands for once loaded: its county's tool tip and its place on the
    // picture, kept so the colouring never reads them back from the labels.
    std::vector<CountyLabelArea> m_areas;
    // Seeded once per opening, so that neighbouring counties get different colours.
    QRandomGenerator m_random;
};
