#include "support/FormDriver.h"

#include "app/Announcements.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// What a screen reader would find: every interface below the window, with
// its name, description and role, found through Qt's accessibility
// interfaces only.
struct Node
{
    QObject* object;
    QAccessible::Role role;
    QString name;
    QString description;
    bool invisible;
};

void collect(QAccessibleInterface* node, QList<Node>& nodes, int depth = 0)
{
    if (!node || depth > 40)
        return;
    nodes.append({node->object(), node->role(), node->text(QAccessible::Name), node->text(QAccessible::Description),
                  bool(node->state().invisible)});
    for (int i = 0; i < node->childCount(); ++i)
        collect(node->child(i), nodes, depth + 1);
}

QList<Node> accessibilityTree(QWidget* window)
{
    QList<Node> nodes;
    collect(QAccessible::queryAccessibleInterface(window), nodes);
    return nodes;
}

bool isChinese(const QString& text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

class Accessibility : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bank.addClass(101, QStringLiteral("道路通行规定"));
        bank.addSubject({1, QStringLiteral("单选题"), 1, 0, 1, 101, {}});
        bank.addSubject({2, QStringLiteral("判断题"), 0, 1, 0, 101, withPictureHeader(makeBitmap(8, 8))});
        bank.addMaterial(QStringLiteral("资料"), QStringLiteral("内容"));
        ui = std::make_unique<FormDriver>(bank);
    }

    // The interfaces whose object is the control named `name`.
    static QList<Node> named(const QList<Node>& nodes, const char* name)
    {
        QList<Node> found;
        for (const Node& node : nodes) {
            if (node.object && node.object->objectName() == QLatin1String(name))
                found.append(node);
        }
        return found;
    }

    TestBank bank;
    std::unique_ptr<FormDriver> ui;
};

// Records the accessibility events the window sends: Qt's offscreen
// platform has no accessibility, so Qt drops them before any update handler;
// the window's announcements are heard where they are handed to Qt.
class EventRecorder
{
public:
    struct Event
    {
        QObject* object;
        QAccessible::Event type;
    };

    EventRecorder()
    {
        Announcements::setListener([this](QAccessibleEvent& event) { events_.append({event.object(), event.type()}); });
    }
    ~EventRecorder() { Announcements::setListener({}); }

    bool has(QObject* object, QAccessible::Event type) const
    {
        return std::any_of(events_.begin(), events_.end(),
                           [&](const Event& e) { return e.object == object && e.type == type; });
    }
    void clear() { events_.clear(); }

private:
    QList<Event> events_;
};

} // namespace

TEST_F(Accessibility, everyControlHasAChineseNameAndTheTerseOnesADescription)
{
    ui->get<QTabWidget>("pcMain")->setCurrentWidget(ui->get("tsZiLiao")); // the materials page opens
    ui->get<QTabWidget>("pcMain")->setCurrentWidget(ui->get("tsEducate"));
    const QList<Node> nodes = accessibilityTree(&ui->form());

    // Every control the window names, wherever it is in the tree.
    for (const Node& node : nodes) {
        if (!node.object || !node.object->isWidgetType() || node.object->objectName().isEmpty()
            || node.object->objectName().startsWith(QLatin1String("qt_")))
            continue;
        EXPECT_TRUE(isChinese(node.name)) << qPrintable(node.object->objectName()) << ": "
                                          << qPrintable(node.name);
    }
    // Raw field names and English captions are nowhere.
    for (const Node& node : nodes)
        EXPECT_NE(node.name.toLower(), QStringLiteral("memo"));

    const struct
    {
        const char* control;
        QString name;
        bool described;
    } expected[] = {
        {"mEdGo", QStringLiteral("转到题号"), true},
        {"btGo", QStringLiteral("转到"), true},
        {"MmFenLei", QStringLiteral("题目"), true},
        {"Image1", QStringLiteral("题目图片"), false},
        {"lbSubjectsNo", QStringLiteral("题号"), false},
        {"edKey", QStringLiteral("正确答案"), false},
        {"btA", QStringLiteral("选A"), true},
        {"btOk", QStringLiteral("选对"), true},
        {"lbPass", QStringLiteral("回答正确"), false},
        {"lbError", QStringLiteral("回答错误"), false},
        {"lbBiDui", QStringLiteral("必对题"), true},
        {"TreeView", QStringLiteral("练习方式"), true},
        {"DBGrid3", QStringLiteral("资料标题"), false},
        {"DBMemo2", QStringLiteral("资料内容"), false},
    };
    for (const auto& e : expected) {
        const QList<Node> found = named(nodes, e.control);
        ASSERT_EQ(found.size(), 1) << e.control;
        EXPECT_EQ(found[0].name, e.name) << e.control;
        if (e.described)
            EXPECT_TRUE(isChinese(found[0].description)) << e.control;
    }

    // The title grid shows one column, and tells no other.
    QAccessibleTableInterface* grid = QAccessible::queryAccessibleInterface(ui->get("DBGrid3"))->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 1);
    EXPECT_EQ(grid->rowCount(), 1);

    // The score box is named too, though out of the tree until an exam runs.
    QAccessibleInterface* score = QAccessible::queryAccessibleInterface(ui->get("edFenShu"));
    EXPECT_EQ(score->text(QAccessible::Name), QStringLiteral("目前得分"));
    EXPECT_TRUE(isChinese(score->text(QAccessible::Description)));

    // The navigator's ten buttons say what they do.
    int navigatorButtons = 0;
    for (const Node& node : nodes) {
        auto* button = qobject_cast<QToolButton*>(node.object);
        if (!button || !button->objectName().startsWith(QLatin1String("DBNavigator3")))
            continue;
        ++navigatorButtons;
        EXPECT_EQ(node.name, button->toolTip()) << qPrintable(button->objectName());
    }
    EXPECT_EQ(navigatorButtons, 10);
}

TEST_F(Accessibility, pagesWhoseTabsAreHiddenAreOutOfTheTree)
{
    const auto tabNames = [this] {
        QStringList names;
        for (const Node& node : accessibilityTree(&ui->form())) {
            if (node.role == QAccessible::PageTab)
                names << node.name;
        }
        names.sort();
        return names;
    };
    const auto sorted = [](QStringList names) {
        names.sort();
        return names;
    };
    EXPECT_EQ(tabNames(), sorted({QStringLiteral("交规训练"), QStringLiteral("各种资料"), QStringLiteral("分类练习")}));
    const QList<Node> nodes = accessibilityTree(&ui->form());
    for (const char* hidden : {"tsSetup", "tsSunxu", "tsZhongdian", "tsMoNi", "mmShunxu", "edFenShu"})
        EXPECT_TRUE(named(nodes, hidden).isEmpty()) << hidden;
    EXPECT_EQ(named(nodes, "tsFenLei").size(), 1);

    // A page the program shows comes into the tree with its tab; the one it
    // hides goes.
    ui->clickTreeEntry(1); // 顺序练习
    EXPECT_EQ(tabNames(), sorted({QStringLiteral("交规训练"), QStringLiteral("各种资料"), QStringLiteral("顺序练习")}));
    EXPECT_EQ(named(accessibilityTree(&ui->form()), "mmShunxu").size(), 1);
    EXPECT_TRUE(named(accessibilityTree(&ui->form()), "MmFenLei").isEmpty());

    // Pressing a tab through its interface shows its page.
    QAccessibleInterface* tabBar = QAccessible::queryAccessibleInterface(ui->get<QTabWidget>("pcMain")->tabBar());
    ASSERT_EQ(tabBar->childCount(), 2);
    tabBar->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ui->get<QTabWidget>("pcMain")->currentWidget(), ui->get("tsZiLiao"));
    EXPECT_TRUE(tabBar->child(1)->state().selected);
    EXPECT_FALSE(tabBar->child(0)->state().selected);
}

TEST_F(Accessibility, theVerdictAndEachNewQuestionAreAnnounced)
{
    EventRecorder events;
    auto* question = ui->get<QPlainTextEdit>("MmFenLei");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(question)->text(QAccessible::Description),
              QStringLiteral("第1题，单选题，必对题，无图片"));

    ui->click("btB");
    EXPECT_TRUE(events.has(ui->get("lbPass"), QAccessible::Alert));
    EXPECT_FALSE(events.has(ui->get("lbError"), QAccessible::Alert));
    events.clear();
    ui->click("btA");
    EXPECT_TRUE(events.has(ui->get("lbError"), QAccessible::Alert));
    EXPECT_FALSE(events.has(ui->get("lbPass"), QAccessible::Alert));

    events.clear();
    ui->click("btNext");
    EXPECT_TRUE(events.has(question, QAccessible::Alert));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(question)->text(QAccessible::Description),
              QStringLiteral("第2题，判断题，有图片"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui->get("Image1"))->text(QAccessible::Description), QString());
}
