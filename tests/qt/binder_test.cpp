#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qt/binder/binder.h"
#include "ui/controls.h"
#include "ui/grid.h"

namespace {

// A small window of every common kind, its widgets made in code with the controls' names.
class SampleForm : public ui::Form {
public:
    SampleForm() : ui::Form("Sample") {}
    ui::TextBox Text1{*this, "Text1"};
    ui::Button Command1{*this, "Command1"};
    ui::CheckBox Check1{*this, "Check1"};
    ui::OptionButton Option1{*this, "Option1"};
    ui::OptionButton Option2{*this, "Option2"};
    ui::ListBox List1{*this, "List1"};
    ui::ComboBox Combo1{*this, "Combo1"};
    ui::Grid Grid1{*this, "Grid1", 6, 3};
    ui::MenuItem m_refresh{*this, "m_refresh", "&Refresh", "F5"};
    ui::StatusBar StatusBar1{*this, "StatusBar1", 2};
    ui::Timer Timer1{*this, "Timer1"};  // has no widget, and needs none
};

template <typename Widget>
Widget* add(QWidget& window, const char* name) {
    auto* widget = new Widget(&window);
    widget->setObjectName(name);
    window.layout()->addWidget(widget);
    return widget;
}

std::unique_ptr<QWidget> sampleWindow() {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("Sample");
    new QVBoxLayout(window.get());
    add<QLineEdit>(*window, "Text1");
    add<QPushButton>(*window, "Command1");
    add<QCheckBox>(*window, "Check1");
    add<QRadioButton>(*window, "Option1");
    add<QRadioButton>(*window, "Option2");
    add<QListWidget>(*window, "List1");
    add<QComboBox>(*window, "Combo1");
    add<QTableView>(*window, "Grid1");
    add<QStatusBar>(*window, "StatusBar1");
    auto* action = new QAction(window.get());
    action->setObjectName("m_refresh");
    window->addAction(action);
    return window;
}

// Clicks the check mark of a check box or option button (the middle may be empty space).
void clickIndicator(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(8, button.height() / 2));
}

class BinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtplatform::bind(form, *window);
        form.Show();
    }

    template <typename Widget>
    Widget& widget(const char* name) {
        return *window->findChild<Widget*>(name);
    }

    SampleForm form;
    std::unique_ptr<QWidget> window = sampleWindow();  // destroyed before the form
};

TEST_F(BinderTest, FormPropertiesDriveTheWindow) {
    form.Caption = "Sample window";
    EXPECT_EQ(window->windowTitle(), "Sample window");
    EXPECT_TRUE(window->isVisible());
    form.Hide();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(BinderTest, TheCloseBoxAsksTheFormWhichMayRefuse) {
    int asked = 0;
    form.OnQueryUnload = [&](int& cancel, int mode) {
        ++asked;
        EXPECT_EQ(mode, 0);
        cancel = 1;
    };
    window->close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(form.IsLoaded());
}

TEST_F(BinderTest, TextBoxMirrorsTheModelAndTypingReachesIt) {
    auto& edit = widget<QLineEdit>("Text1");
    form.Text1.Text = "preset";
    form.Text1.Locked = true;
    form.Text1.PasswordChar = "*";
    EXPECT_EQ(edit.text(), "preset");
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.echoMode(), QLineEdit::Password);

    form.Text1.Locked = false;
    form.Text1.Text = "";
    int changes = 0;
    form.Text1.Change = [&] { ++changes; };
    QTest::keyClicks(&edit, "abc");
    EXPECT_EQ(form.Text1.Text.get(), "abc");
    EXPECT_EQ(changes, 3);
}

TEST_F(BinderTest, KeyPressCanDropOrReplaceATypedCharacter) {
    auto& edit = widget<QLineEdit>("Text1");
    std::vector<int> offered;
    form.Text1.KeyPress = [&](int& key) {
        offered.push_back(key);
        if (key >= '0' && key <= '9') {
            key = 0;  // digits are refused
        } else if (key >= 'a' && key <= 'z') {
            key = key - 'a' + 'A';  // letters are typed in upper case
        }
    };
    QTest::keyClicks(&edit, "a1b2");
    QTest::keyClick(&edit, Qt::Key_Return);

    EXPECT_EQ(form.Text1.Text.get(), "AB");
    EXPECT_EQ(edit.text(), "AB");
    EXPECT_EQ(offered, (std::vector<int>{'a', '1', 'b', '2', 13}));
}

TEST_F(BinderTest, ButtonShowsItsCaptionAndItalicsAndClicksOnlyWhenEnabled) {
    auto& button = widget<QPushButton>("Command1");
    int clicks = 0;
    form.Command1.Click = [&] { ++clicks; };
    form.Command1.Caption = "&Refresh";
    EXPECT_EQ(button.text(), "&Refresh");

    QTest::mouseClick(&button, Qt::LeftButton);
    form.Command1.Enabled = false;
    EXPECT_FALSE(button.isEnabled());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    form.Command1.Visible = false;
    EXPECT_TRUE(button.isHidden());

    form.Command1.FontItalic = true;
    EXPECT_TRUE(button.font().italic());
    form.Command1.FontItalic = false;
    EXPECT_FALSE(button.font().italic());
}

TEST_F(BinderTest, ChoicesFlowBackFromTheUser) {
    int clicks = 0;
    form.Check1.Click = [&] { ++clicks; };
    clickIndicator(widget<QCheckBox>("Check1"));
    EXPECT_EQ(form.Check1.Value, 1);
    EXPECT_EQ(clicks, 1);

    form.Option1.Value = true;
    EXPECT_TRUE(widget<QRadioButton>("Option1").isChecked());
    clickIndicator(widget<QRadioButton>("Option2"));
    EXPECT_TRUE(form.Option2.Value);
    EXPECT_FALSE(form.Option1.Value);  // unchecked by its sibling, and the model knows

    form.List1.AddItem("one");
    form.List1.AddItem("two");
    auto& list = widget<QListWidget>("List1");
    ASSERT_EQ(list.count(), 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(1)).center());
    EXPECT_EQ(form.List1.ListIndex, 1);
}

TEST_F(BinderTest, ADropDownListShowsItsTextAsAnItemAndOptionsMayAllBeCleared) {
    auto& combo = widget<QComboBox>("Combo1");
    form.Combo1.Style = 2;
    form.Combo1.AddItem("None");
    form.Combo1.AddItem("Pause");
    form.Combo1.Text = "Pause";
    EXPECT_FALSE(combo.isEditable());
    EXPECT_EQ(combo.currentText(), "Pause");
    form.Combo1.Text = "None";
    EXPECT_EQ(combo.currentText(), "None");

    form.Option1.Value = true;
    form.Option1.Value = false;
    EXPECT_FALSE(widget<QRadioButton>("Option1").isChecked());
    EXPECT_FALSE(widget<QRadioButton>("Option2").isChecked());
    clickIndicator(widget<QRadioButton>("Option2"));
    EXPECT_TRUE(form.Option2.Value) << "and the options are exclusive again";
    clickIndicator(widget<QRadioButton>("Option1"));
    EXPECT_FALSE(form.Option2.Value);

    // A coloured caption is greyed while its option is disabled, as any disabled caption.
    form.Option1.ForeColor = ui::colors::Black;
    form.Option1.Enabled = false;
    const QPalette& palette = widget<QRadioButton>("Option1").palette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::WindowText),
              QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));
}

// A long list filled item by item had the view rebuild it for every item.
TEST_F(BinderTest, AWholeListReachesTheViewAtOnceAndChoosingAnItemKeepsTheItems) {
    const std::vector<std::string> numbers(1000, "item");
    auto& combo = widget<QComboBox>("Combo1");
    auto& list = widget<QListWidget>("List1");
    QSignalSpy comboInserts(combo.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy listInserts(list.model(), &QAbstractItemModel::rowsInserted);

    form.Combo1.SetItems(numbers);
    form.List1.SetItems(numbers);
    form.Combo1.ListIndex = 500;
    form.List1.ListIndex = 700;

    EXPECT_EQ(comboInserts.count(), 1);
    EXPECT_EQ(listInserts.count(), 1);
    EXPECT_EQ(combo.count(), 1000);
    EXPECT_EQ(combo.currentIndex(), 500);
    EXPECT_EQ(list.currentRow(), 700);
}

TEST_F(BinderTest, MenuItemDrivesItsActionAndOwnsTheCheckMark) {
    auto& action = widget<QAction>("m_refresh");
    EXPECT_EQ(action.text(), "&Refresh");
    EXPECT_EQ(action.shortcut(), QKeySequence(Qt::Key_F5));

    int clicks = 0;
    form.m_refresh.Click = [&] {
        ++clicks;
        form.m_refresh.Checked = !form.m_refresh.Checked;
    };
    // The operator presses the shortcut.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(form.m_refresh.Checked);
    EXPECT_TRUE(action.isCheckable());
    EXPECT_TRUE(action.isChecked());

    form.m_refresh.Click = [&] { ++clicks; };  // a handler that leaves the mark alone
    action.trigger();
    EXPECT_TRUE(action.isChecked());

    form.m_refresh.Enabled = false;
    form.m_refresh.Visible = false;
    EXPECT_FALSE(action.isEnabled());
    EXPECT_FALSE(action.isVisible());
    action.trigger();
    EXPECT_EQ(clicks, 2);
}

TEST_F(BinderTest, StatusBarPanelsShowTheirTexts) {
    form.StatusBar1.SetPanelText(1, "User: AutoStart User");
    form.StatusBar1.SetPanelWidth(1, 3000);
    auto* first = window->findChild<QLabel*>("StatusBar11");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "User: AutoStart User");
    EXPECT_EQ(first->maximumWidth(), 200);
}

TEST_F(BinderTest, GridReportsABlockOfChangesAsOneRangedChange) {
    auto& view = widget<QTableView>("Grid1");
    QAbstractItemModel& model = *view.model();
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    form.Grid1.BeginUpdate();
    form.Grid1.SetTextMatrix(2, 0, "PC-02");
    form.Grid1.SetTextMatrix(4, 2, "Paused");
    form.Grid1.SetCellBackColor(3, 1, ui::colors::Red);
    form.Grid1.EndUpdate();

    ASSERT_EQ(changes.count(), 1);
    // The fixed row is the header: grid row 2 is table row 1.
    EXPECT_EQ(changes[0][0].toModelIndex(), model.index(1, 0));
    EXPECT_EQ(changes[0][1].toModelIndex(), model.index(3, 2));
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "PC-02");
    EXPECT_EQ(model.data(model.index(2, 1), Qt::BackgroundRole).value<QBrush>().color(),
              QColor(255, 0, 0));
}

TEST_F(BinderTest, GridHeaderGeometryAndHiddenRowsFollowTheModel) {
    auto& view = widget<QTableView>("Grid1");
    form.Grid1.SetTextMatrix(0, 1, "Client Name");
    EXPECT_EQ(view.model()->headerData(1, Qt::Horizontal).toString(), "Client Name");

    form.Grid1.SetColWidth(1, 1500);
    form.Grid1.SetRowHeight(3, 0);
    EXPECT_EQ(view.columnWidth(1), 100);
    EXPECT_TRUE(view.isRowHidden(2));
    form.Grid1.SetRowHeight(3, 300);
    EXPECT_FALSE(view.isRowHidden(2));
    EXPECT_EQ(view.rowHeight(2), 20);
}

// Counts the measurements of header sections.
class HeaderMeasures : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_HeaderSection) {
            ++count;
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
    mutable int count = 0;
};

TEST_F(BinderTest, NewCellsAndRowsLeaveTheHeaderUnmeasuredAndNewLabelsDoNot) {
    QHeaderView& header = *widget<QTableView>("Grid1").horizontalHeader();
    HeaderMeasures measures;
    header.setStyle(&measures);
    QApplication::processEvents();

    measures.count = 0;
    form.Grid1.SetTextMatrix(2, 1, "PC-02");
    form.Grid1.SetRowHeight(2, 300);
    QApplication::processEvents();
    EXPECT_EQ(measures.count, 0);

    form.Grid1.SetTextMatrix(0, 1, "Client Name");
    QApplication::processEvents();
    EXPECT_GT(measures.count, 0);
    header.setStyle(nullptr);
}

TEST_F(BinderTest, AColumnBorderDraggedByTheOperatorStaysWhenTheTableChanges) {
    auto& view = widget<QTableView>("Grid1");
    window->resize(600, 400);
    form.Grid1.SetColWidth(1, 1500);
    QHeaderView& header = *view.horizontalHeader();
    // The operator drags the border at the right of column 1 forty pixels to the right.
    const int border = header.sectionViewportPosition(1) + header.sectionSize(1) - 1;
    const QPoint grip(border, header.height() / 2);
    QTest::mousePress(header.viewport(), Qt::LeftButton, {}, grip);
    QMouseEvent drag(QEvent::MouseMove, QPointF(grip + QPoint(40, 0)),
                     header.viewport()->mapToGlobal(QPointF(grip + QPoint(40, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header.viewport(), &drag);
    QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, grip + QPoint(40, 0));
    ASSERT_EQ(view.columnWidth(1), 140);
    EXPECT_EQ(form.Grid1.ColWidth(1), 140 * 15);

    // A client comes: a row is shown, the grid grows; the drag is kept.
    form.Grid1.SetRowHeight(2, 255);
    form.Grid1.SetRows(8);
    EXPECT_EQ(view.columnWidth(1), 140);
}

TEST_F(BinderTest, GridSelectionFollowsBothWays) {
    auto& view = widget<QTableView>("Grid1");
    QAbstractItemModel& model = *view.model();
    window->resize(600, 400);

    form.Grid1.SetRow(3);
    form.Grid1.SetCol(2);
    EXPECT_EQ(view.selectionModel()->currentIndex(), model.index(2, 2));

    int selChanges = 0;
    form.Grid1.SelChange = [&] { ++selChanges; };
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(model.index(4, 1)).center());
    EXPECT_EQ(form.Grid1.Row(), 5);
    EXPECT_EQ(form.Grid1.Col(), 1);
    EXPECT_EQ(form.Grid1.RowSel(), 5);
    EXPECT_GE(selChanges, 1);
}

TEST_F(BinderTest, TabAndShiftTabMoveFromTheGridToTheControlsAroundIt) {
    auto& view = widget<QTableView>("Grid1");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    form.Grid1.SetRow(2);
    form.Grid1.SetCol(1);
    view.setFocus();

    QTest::keyClick(&view, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &widget<QComboBox>("Combo1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(view.hasFocus());
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &widget<QLineEdit>("Text1")) << "the layout's first";
    EXPECT_EQ(form.Grid1.Row(), 2) << "Tab moved from cell to cell";
    EXPECT_EQ(form.Grid1.Col(), 1);
}

TEST_F(BinderTest, GridReportsTheCellUnderTheMouseAndTheButton) {
    auto& view = widget<QTableView>("Grid1");
    window->resize(400, 600);
    form.Grid1.SetTextMatrix(1, 0, "PC-01");
    const QRect cell = view.visualRect(view.model()->index(0, 0));
    ASSERT_TRUE(cell.isValid());

    std::vector<int> buttons;
    form.Grid1.MouseUp = [&](int button, int, int, int) { buttons.push_back(button); };
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, cell.center());

    EXPECT_EQ(buttons, std::vector<int>{2});
    EXPECT_EQ(form.Grid1.MouseRow(), 1);
    EXPECT_EQ(form.Grid1.MouseCol(), 0);
}

// Runs events, waiting for more, until `done` holds (at most two seconds).
bool eventually(const std::function<bool()>& done) {
    for (int waited = 0; !done() && waited < 2000; waited += 10) {
        QTest::qWait(10);
    }
    return done();
}

// Sorting and filtering are the view's: every row that passes between view and model is mapped,
// so clicks, the current row and the pointer's row name the grid's own rows.
TEST_F(BinderTest, ASortedAndFilteredGridMapsEveryRowBetweenViewAndModel) {
    auto& view = widget<QTableView>("Grid1");
    window->resize(400, 600);
    ui::Grid& grid = form.Grid1;
    const char* names[] = {"", "PC3", "PC1", "PC5", "PC2", "PC4"};
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.SetTextMatrix(row, 1, names[row]);
    }
    grid.SetRowHeight(4, 0);  // PC2's slot has no client
    std::string leftOut;
    grid.SetRowOrder({[&](int column, int a, int b) {
                          return grid.TextMatrix(a, column) < grid.TextMatrix(b, column);
                      },
                      [&](int row) { return grid.TextMatrix(row, 1) != leftOut; }});
    std::vector<int> clicked;
    grid.HeaderClick = [&](int column) {
        clicked.push_back(column);
        grid.Sort(column, true);
    };
    auto shown = [&] {
        std::vector<std::string> texts;
        for (int row = 0; row < view.model()->rowCount(); ++row) {
            texts.push_back(view.model()->index(row, 1).data().toString().toStdString() +
                            (view.isRowHidden(row) ? " hidden" : ""));
        }
        return texts;
    };
    QHeaderView& header = *view.horizontalHeader();
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(1) + 5, header.height() / 2));
    EXPECT_EQ(clicked, std::vector<int>{1});
    EXPECT_EQ(shown(), (std::vector<std::string>{"PC5", "PC4", "PC3", "PC2 hidden", "PC1"}));
    EXPECT_TRUE(header.isSortIndicatorShown());
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(0, 1)).center());
    EXPECT_EQ(grid.RowSel(), 3) << "PC5";
    grid.SetRow(1);
    EXPECT_EQ(view.selectionModel()->currentIndex().row(), 2) << "PC3";
    QTest::mouseClick(view.viewport(), Qt::RightButton, {},
                      view.visualRect(view.model()->index(4, 1)).center());
    EXPECT_EQ(grid.MouseRow(), 2) << "PC1";

    leftOut = "PC5";
    grid.Refilter();
    EXPECT_EQ(shown(), (std::vector<std::string>{"PC4", "PC3", "PC2 hidden", "PC1"}));
    EXPECT_EQ(view.selectionModel()->currentIndex().row(), 1) << "PC3 stays current";
    leftOut.clear();
    grid.Refilter();
    EXPECT_EQ(shown(), (std::vector<std::string>{"PC5", "PC4", "PC3", "PC2 hidden", "PC1"}));
    EXPECT_EQ(view.rowHeight(0), view.rowHeight(2)) << "PC5 came back at its height";

    // A new text that moves its row: the view holds its painting until the row is in place.
    ASSERT_TRUE(eventually([&] { return view.updatesEnabled(); }));
    grid.SetTextMatrix(2, 1, "PC9");
    EXPECT_FALSE(view.updatesEnabled());
    ASSERT_TRUE(eventually([&] { return view.model()->index(0, 1).data() == "PC9"; }));
    EXPECT_TRUE(view.updatesEnabled());
    EXPECT_EQ(grid.RowSel(), 1) << "PC3 is still the current row";
    EXPECT_EQ(view.selectionModel()->currentIndex().row(), 3);
}

// A layout that lacks a control's widget, or has it as the wrong class, is caught at once.
TEST(BinderFailureTest, AMissingWidgetIsReportedWithFormAndControlName) {
    SampleForm form;
    auto window = sampleWindow();
    delete window->findChild<QListWidget*>("List1");
    try {
        qtplatform::bind(form, *window);
        FAIL() << "binding succeeded without a List1 widget";
    } catch (const qtplatform::BindError& error) {
        EXPECT_NE(std::string(error.what()).find("Sample"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("List1"), std::string::npos) << error.what();
    }
    EXPECT_EQ(form.view(), nullptr);
}

TEST(BinderFailureTest, AnItemInAnotherMenuThanTheModelSaysIsReported) {
    SampleForm form;  // its m_refresh belongs to no menu
    auto window = sampleWindow();
    auto* menu = new QMenu(window.get());
    menu->setObjectName("M_File");
    menu->addAction(window->findChild<QAction*>("m_refresh"));
    EXPECT_THROW(qtplatform::bind(form, *window), qtplatform::BindError);
}

TEST(BinderFailureTest, AWidgetOfTheWrongClassIsReported) {
    SampleForm form;
    auto window = sampleWindow();
    delete window->findChild<QPushButton*>("Command1");
    add<QLabel>(*window, "Command1");
    EXPECT_THROW(qtplatform::bind(form, *window), qtplatform::BindError);
}

}  // namespace
