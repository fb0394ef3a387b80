// The grid and browser models as views see them: every change announced before it happens, under
// Qt's model tester.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "app/editor/browser_model.h"
#include "app/editor/grid_model.h"

using namespace tarvex;

namespace {

TextGrid grid_of_rows(int rows) {
    TextGrid g;
    g.reset(rows, 4);
    for (int r = 1; r < rows; ++r) {
        g.at(r, 0) = std::to_string(r);
        g.at(r, 1) = "15" + std::to_string(r);
    }
    return g;
}

}  // namespace

class TestGridModels : public QObject {
    Q_OBJECT

  private slots:
    void gridShowsOldRowsUntilTheResetIsAnnounced() {
        GridModel model;
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     &model);
        model.set_titles({"Frequency", "Alpha Tag", "Avoid"});
        model.replace(grid_of_rows(11));
        int rows_at_reset = -1;
        QString first_at_reset;
        connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [&] {
            rows_at_reset = model.rowCount();
            first_at_reset = model.index(0, 1).data().toString();
        });
        model.apply([](TextGrid& g) {
            g = grid_of_rows(20);
            g.at(1, 1) = "new";
        });
        QCOMPARE(rows_at_reset, 10);
        QCOMPARE(first_at_reset, QStringLiteral("151"));
        QCOMPARE(model.rowCount(), 19);
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("new"));

        // Same shape: no reset, one repaint of the changed rows.
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        model.apply([](TextGrid& g) { g.at(2, 2) = "x"; });
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);

        model.append_rows(3);
        QCOMPARE(model.rowCount(), 22);
        model.set_cell(22, 1, "460.1");
        QCOMPARE(model.index(21, 1).data().toString(), QStringLiteral("460.1"));
        model.replace(grid_of_rows(5));
        QCOMPARE(model.rowCount(), 4);
    }

    void browserRebuildsAndRenamesUnderTheTester() {
        BrowserModel model;
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     &model);
        BrowserTree tree;
        tree.nodes.push_back({"SYS-001", "", "County", NodeImage{}});
        tree.nodes.push_back({"GRP-999-001-000", "SYS-001", "Sheriff", NodeImage{}});
        tree.nodes.push_back({"SYS-002", "", "City", NodeImage{}});
        model.set_tree(tree);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.rowCount(model.index_of_key("SYS-001")), 1);
        model.set_text("GRP-999-001-000", "Fire");
        QCOMPARE(model.index_of_key("GRP-999-001-000").data().toString(), QStringLiteral("Fire"));
        model.set_highlighted({"SYS-002"});
        tree.nodes.pop_back();
        model.set_tree(tree);
        QCOMPARE(model.rowCount(), 1);
    }
};

QTEST_MAIN(TestGridModels)
#include "test_grid_models.moc"
