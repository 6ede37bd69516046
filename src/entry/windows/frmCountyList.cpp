#include "entry/windows/frmCountyList.h"

#include "core/AppState.h"
#include "core/forms/FormScaler.h"
#include "platform/Screen.h"

#include <QHeaderView>

frmCountyList::frmCountyList(const WindowContext& context) : Form(context, QStringLiteral("County List"), 3150, 6105)
{
    setWindowFlags(Qt::Dialog);
    ListView1 = place(new QTreeWidget(this), ControlKind::ListView, 120, 120, 2915, 5895);
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels({QStringLiteral("Abbreviation"), QStringLiteral("County")});
    connect(ListView1, &QTreeWidget::itemClicked, this, [this] { ListView1_Click(); });
}

void frmCountyList::Form_Load()
{
    LocalScaling scaling;
    scaling.top = LocalScaling::Top::SixthOfFreeSpace;
    scaling.windowFont = LocalScaling::WindowFont::NewWidthRatio;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::ListView, ControlKind::CheckBox, ControlKind::OptionButton,
                           ControlKind::Frame, ControlKind::ListBox, ControlKind::CommandButton,
                           ControlKind::TextBox, ControlKind::Label};
    scaling.fontKinds = scaling.scaledKinds;
    ScaleFormLocally(*this, scaling);
    const double columnTwips = 1300.0 * screen().sizeTwips().width() / ReferenceScreenWidth;
    for (int c = 0; c < 2; ++c)
        ListView1->header()->resizeSection(c, int(columnTwips / screen().twipsPerPixelX()));
    const ReferenceTables& t = context().state.tables;
    const qint32 count = qint32(t.CountyCount);
    for (qint32 n = 1; n <= count; ++n)
        new QTreeWidgetItem(ListView1, {t.CountyAbbrev[size_t(n)], t.CountyName[size_t(n)]});
}

void frmCountyList::ListView1_Click()
{
    QTreeWidgetItem* item = ListView1->currentItem();
    if (!item)
        return;
    Q_EMIT countyPicked(item->text(0));
    hide();
}
