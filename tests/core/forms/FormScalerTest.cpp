// Scaling a window laid out for the 9600 x 7200 twip reference screen to the real one.

#include "support/LoneWindowContext.h"

#include "core/forms/Form.h"
#include "core/forms/FormScaler.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// A window with one control of each kind the rules treat differently.
class SampleForm : public Form {
public:
    SampleForm(const WindowContext& context, float width, float height)
        : Form(context, QStringLiteral("Sample"), width, height)
    {
        FontSize = 8;
        label = place(new QLabel(QStringLiteral("Label"), this), ControlKind::Label, 120, 240, 1200, 300, 8);
        combo = place(new QComboBox(this), ControlKind::ComboBox, 240, 600, 1500, 315, 8);
        list = new QTreeView(this);
        list->setModel(new QStandardItemModel(0, 2, list));
        list->header()->setStretchLastSection(false);
        list->header()->resizeSection(0, 40);
        list->header()->resizeSection(1, 80);
        place(list, ControlKind::ListView, 240, 1000, 3000, 1200, 8);
        line = addLine(100, 200, 900, 400);
        image = place(new QLabel(this), ControlKind::Image, 3600, 120, 600, 600, 8);
        other = place(new QWidget(this), ControlKind::Other, 10, 20, 30, 40, 8);
    }

    Control& of(const QWidget* widget) { return *controlFor(widget); }

    QLabel* label;
    QComboBox* combo;
    QTreeView* list;
    LineControl* line;
    QLabel* image;
    QWidget* other;
};

class FormScaling : public ::testing::Test {
protected:
    LoneWindowContext lone;
    FixedScreen* screen = lone.services.screen;
    ScriptedDialogs* dialogs = lone.services.dialogs;
    WindowContext context = lone.context();
};

void expectPlace(const Control& c, float left, float top, float width, float height, float font)
{
    EXPECT_FLOAT_EQ(c.Left, left);
    EXPECT_FLOAT_EQ(c.Top, top);
    EXPECT_FLOAT_EQ(c.Width, width);
    EXPECT_FLOAT_EQ(c.Height, height);
    EXPECT_FLOAT_EQ(c.FontSize, font);
}

void expectLine(const Control& c, float x1, float y1, float x2, float y2)
{
    EXPECT_FLOAT_EQ(c.X1, x1);
    EXPECT_FLOAT_EQ(c.Y1, y1);
    EXPECT_FLOAT_EQ(c.X2, x2);
    EXPECT_FLOAT_EQ(c.Y2, y2);
}

void expectUntouched(SampleForm& f)
{
    expectPlace(f.of(f.label), 120, 240, 1200, 300, 8);
    expectPlace(f.of(f.combo), 240, 600, 1500, 315, 8);
    expectLine(f.of(f.line), 100, 200, 900, 400);
    expectPlace(f.of(f.other), 10, 20, 30, 40, 8);
    EXPECT_EQ(f.of(f.list).ColumnWidths, (std::vector<float>{600, 1200}));
}

LocalScaling labelsAndLists()
{
    LocalScaling options;
    options.scaledKinds = {ControlKind::Label, ControlKind::ComboBox, ControlKind::ListView, ControlKind::Image};
    options.fontKinds = {ControlKind::Label, ControlKind::ComboBox, ControlKind::ListView};
    return options;
}

TEST_F(FormScaling, ReferenceScreenOnlyCentresTheWindow)
{
    SampleForm reference(context, 4800, 3600);
    ResizeFormToScreen(reference);
    EXPECT_FLOAT_EQ(reference.Width, 4800);
    EXPECT_FLOAT_EQ(reference.Height, 3600);
    EXPECT_FLOAT_EQ(reference.Left, 2400);
    EXPECT_FLOAT_EQ(reference.Top, 1630) << "raised 170 twips above the middle";
    EXPECT_FLOAT_EQ(reference.FontSize, 8);
    expectUntouched(reference);

    SampleForm local(context, 4800, 3600);
    ScaleFormLocally(local, labelsAndLists());
    EXPECT_FLOAT_EQ(local.Top, 1800);
    expectUntouched(local);

    // A full-size window fills the screen: under the reference rule its top is above it.
    SampleForm full(context, 9600, 7200);
    ResizeFormToScreen(full);
    EXPECT_FLOAT_EQ(full.Left, 0);
    EXPECT_FLOAT_EQ(full.Top, -170);
    SampleForm fullLocal(context, 9600, 7200);
    ScaleFormLocally(fullLocal, labelsAndLists());
    EXPECT_FLOAT_EQ(fullLocal.Top, 0);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(FormScaling, ReferenceRuleOnAWideScreen)
{
    screen->size = QSizeF(28800, 16200); // Wf 3, Hf 2.25
    SampleForm f(context, 4800, 3600);
    ResizeFormToScreen(f);

    EXPECT_FLOAT_EQ(f.Width, 14400);
    EXPECT_FLOAT_EQ(f.Height, 8100);
    EXPECT_FLOAT_EQ(f.Left, 7200);
    EXPECT_FLOAT_EQ(f.Top, 3880);
    EXPECT_FLOAT_EQ(f.FontSize, 18);
    expectPlace(f.of(f.label), 360, 540, 3600, 675, 18);
    expectPlace(f.of(f.combo), 720, 1350, 4500, 315, 18); // a combo box keeps its height
    expectPlace(f.of(f.list), 720, 2250, 9000, 2700, 18);
    EXPECT_EQ(f.of(f.list).ColumnWidths, (std::vector<float>{1800, 3600}));
    expectLine(f.of(f.line), 300, 450, 2700, 900);
    expectPlace(f.of(f.image), 10800, 270, 1800, 1350, 8); // a picture keeps its font
    expectPlace(f.of(f.other), 10, 20, 30, 40, 8);

    // What the widgets show, at 15 twips a pixel.
    EXPECT_EQ(f.size(), QSize(960, 540));
    EXPECT_EQ(f.label->geometry(), QRect(24, 36, 240, 45));
    EXPECT_DOUBLE_EQ(f.label->font().pointSizeF(), 18.0);
    EXPECT_EQ(f.combo->height(), 21);
    EXPECT_EQ(f.list->header()->sectionSize(0), 120);
    EXPECT_EQ(f.list->header()->sectionSize(1), 240);
    EXPECT_TRUE(dialogs->shown.empty());
}

TEST_F(FormScaling, ScreenNarrowerThanFourToThree)
{
    screen->size = QSizeF(9600, 9600); // Wf 1, Hf 4/3
    SampleForm f(context, 4800, 3600);
    ResizeFormToScreen(f);
    EXPECT_FLOAT_EQ(f.FontSize, 32.0f / 3) << "the window's font follows Hf";
    expectPlace(f.of(f.label), 120, 320, 1200, 400, 8); // the controls' fonts follow Wf
}

struct LocalCase {
    const char* name;
    LocalScaling::ControlFont controlFont;
    LocalScaling::WindowFont windowFont;
    LocalScaling::Top top;
    float controlFactor;
    float windowFactor;
    float windowTop;
};
void PrintTo(const LocalCase& c, std::ostream* os) { *os << c.name; }

class FormScalingLocal : public FormScaling, public ::testing::WithParamInterface<LocalCase> {};

TEST_P(FormScalingLocal, OnAWideScreen)
{
    const LocalCase& p = GetParam();
    screen->size = QSizeF(28800, 16200);
    SampleForm f(context, 4800, 3600);
    LocalScaling options = labelsAndLists();
    options.controlFont = p.controlFont;
    options.windowFont = p.windowFont;
    options.top = p.top;
    ScaleFormLocally(f, options);

    EXPECT_FLOAT_EQ(f.Width, 14400);
    EXPECT_FLOAT_EQ(f.Left, 7200);
    EXPECT_FLOAT_EQ(f.Top, p.windowTop);
    EXPECT_FLOAT_EQ(f.FontSize, 8 * p.windowFactor);
    expectPlace(f.of(f.label), 360, 540, 3600, 675, 8 * p.controlFactor);
    expectPlace(f.of(f.combo), 720, 1350, 4500, 708.75f, 8 * p.controlFactor);
    EXPECT_EQ(f.of(f.list).ColumnWidths, (std::vector<float>{600, 1200})) << "columns stay";
    expectLine(f.of(f.line), 300, 450, 2700, 900);
    EXPECT_FLOAT_EQ(f.of(f.image).FontSize, 8);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, FormScalingLocal,
    ::testing::Values(
        LocalCase{"Smaller", LocalScaling::ControlFont::Smaller, LocalScaling::WindowFont::WidthFactor,
                  LocalScaling::Top::Centre, 2.25f, 3, 4050},
        LocalCase{"WidthFactorCapped", LocalScaling::ControlFont::WidthFactorCapped,
                  LocalScaling::WindowFont::NewWidthRatio, LocalScaling::Top::SixthOfFreeSpace, 1.5f, 1.5f, 1350},
        LocalCase{"WidthFactor", LocalScaling::ControlFont::WidthFactor, LocalScaling::WindowFont::WidthFactor,
                  LocalScaling::Top::Centre, 3, 3, 4050}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormScaling, BetweenRuleWithThePresentSizeChangesNothingButThePlace)
{
    SampleForm f(context, 4800, 3600);
    ResizeFormBetween(f, 4800, 3600, 9600, 7200, 1, 1.0f, QString());
    EXPECT_FLOAT_EQ(f.Width, 4800);
    EXPECT_FLOAT_EQ(f.Height, 3600);
    EXPECT_FLOAT_EQ(f.Left, 0);
    EXPECT_FLOAT_EQ(f.Top, 0);
    EXPECT_FLOAT_EQ(f.FontSize, 8);
    expectUntouched(f);
    EXPECT_TRUE(dialogs->shown.empty());
}

class FormScalingGrowth : public FormScaling, public ::testing::WithParamInterface<std::pair<float, float>> {};

TEST_P(FormScalingGrowth, GrowingWindowFontsFollowTheirShare)
{
    const auto [growth, fontFactor] = GetParam();
    SampleForm f(context, 4800, 3600);
    ResizeFormBetween(f, 28800, 16200, 9600, 7200, 0, growth, QString());

    EXPECT_FLOAT_EQ(f.Width, 14400);
    EXPECT_FLOAT_EQ(f.Height, 8100);
    EXPECT_FLOAT_EQ(f.Left, 7200);
    EXPECT_FLOAT_EQ(f.Top, 4050) << "no raise";
    EXPECT_FLOAT_EQ(f.FontSize, 8 * fontFactor);
    expectPlace(f.of(f.label), 360, 540, 3600, 675, 8 * fontFactor);
    expectPlace(f.of(f.combo), 720, 1350, 4500, 708.75f, 8 * fontFactor); // combo height scales here
    EXPECT_EQ(f.of(f.list).ColumnWidths, (std::vector<float>{1800, 3600}));
    expectLine(f.of(f.line), 300, 450, 2700, 900);
    EXPECT_FLOAT_EQ(f.of(f.image).FontSize, 8);
}

INSTANTIATE_TEST_SUITE_P(Between, FormScalingGrowth,
                         ::testing::Values(std::pair{0.0f, 1.0f}, std::pair{0.5f, 1.625f}, std::pair{1.0f, 2.25f}));

TEST_F(FormScaling, ShrinkingWindowFontsShrinkByTheSmallerFactor)
{
    SampleForm f(context, 4800, 3600);
    ResizeFormBetween(f, 4800, 4800, 9600, 7200, 0, 0.0f, QStringLiteral("Arial")); // Cw 0.5, Ch 2/3
    EXPECT_FLOAT_EQ(f.Width, 2400);
    EXPECT_FLOAT_EQ(f.Height, 2400);
    EXPECT_FLOAT_EQ(f.Left, 1200);
    EXPECT_FLOAT_EQ(f.FontSize, 4);
    EXPECT_EQ(f.FontName, QStringLiteral("Arial"));
    expectPlace(f.of(f.label), 60, 160, 600, 200, 4);
    EXPECT_EQ(f.of(f.label).FontName, QStringLiteral("Arial"));
    EXPECT_EQ(f.label->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(f.of(f.list).ColumnWidths, (std::vector<float>{300, 600}));
    EXPECT_FLOAT_EQ(f.of(f.image).FontSize, 8);
}

// A failure part-way: what was scaled stays, the rest keeps its design.
enum class Rule { Reference, Between, Local };
const char* ruleName(Rule rule)
{
    switch (rule) {
    case Rule::Reference: return "Reference";
    case Rule::Between: return "Between";
    case Rule::Local: return "Local";
    }
    return "?";
}
void PrintTo(Rule rule, std::ostream* os) { *os << ruleName(rule); }

class FormScalingFailure : public FormScaling, public ::testing::WithParamInterface<Rule> {};

TEST_P(FormScalingFailure, AtTheFifthControl)
{
    screen->size = QSizeF(28800, 16200);
    Form f(context, QStringLiteral("Failing"), 4800, 3600);
    std::vector<QLabel*> labels;
    for (int i = 0; i < 6; ++i) {
        const float height = i == 4 ? 1e12f : 300; // no window could hold the fifth
        labels.push_back(f.place(new QLabel(&f), ControlKind::Label, 120, 240 + 400 * float(i), 1200, height, 8));
    }
    switch (GetParam()) {
    case Rule::Reference: ResizeFormToScreen(f); break;
    case Rule::Between: ResizeFormBetween(f, 28800, 16200, 9600, 7200, 0, 1.0f, QString()); break;
    case Rule::Local: {
        LocalScaling options;
        options.scaledKinds = options.fontKinds = {ControlKind::Label};
        ScaleFormLocally(f, options);
        break;
    }
    }

    if (GetParam() == Rule::Local) {
        EXPECT_TRUE(dialogs->shown.empty());
    } else {
        ASSERT_EQ(dialogs->shown.size(), 1u);
        EXPECT_EQ(dialogs->shown[0].title, QStringLiteral("Form Resize Error"));
        EXPECT_FALSE(dialogs->shown[0].text.isEmpty());
    }
    EXPECT_FLOAT_EQ(f.Width, 14400);
    EXPECT_EQ(f.width(), 960) << "the window still opens at its new size";
    for (int i = 0; i < 4; ++i)
        expectPlace(*f.controlFor(labels[size_t(i)]), 360, (240 + 400 * float(i)) * 2.25f, 3600, 675, 18);
    expectPlace(*f.controlFor(labels[4]), 120, 1840, 1200, 1e12f, 8);
    expectPlace(*f.controlFor(labels[5]), 120, 2240, 1200, 300, 8);
}

INSTANTIATE_TEST_SUITE_P(Rules, FormScalingFailure, ::testing::Values(Rule::Reference, Rule::Between, Rule::Local),
                         [](const auto& info) { return std::string(ruleName(info.param)); });

} // namespace
