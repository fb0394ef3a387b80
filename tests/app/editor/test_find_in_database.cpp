// Edit -> "Find in Database..." on the sample database: the text searched over every open
// system, the hits listed, and the one activated opened in the editor with its row selected.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

#include "app/editor/find_in_database_window.h"
#include "app/editor/grid_editor.h"
#include "app/editor/grid_view.h"
#include "core/editor/session.h"
#include "core/model/store_keys.h"
#include "editor_rig.h"

using namespace tarvex;
using namespace tarvex::test;

class TestFindInDatabase : public QObject {
    Q_OBJECT
    std::unique_ptr<EditorRig> rig_;
    FindInDatabaseWindow* find_ = nullptr;

    void search(const QString& text) {
        find_->box()->clear();
        QTest::keyClicks(find_->box(), text);
        QTest::keyClick(find_->box(), Qt::Key_Return);
    }
    // Activates row r of the hits list with the keyboard, as a user picks it.
    void activate(int r) {
        QTreeView* list = find_->list();
        list->setFocus();
        list->setCurrentIndex(list->model()->index(r, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

  private slots:
    void init() {
        rig_ = std::make_unique<EditorRig>();
        rig_->start();
        rig_->open(sample_hpd());
        QAction* command = rig_->window->action(Menu::Edit, QStringLiteral("Find in Database..."));
        QVERIFY(command);
        QCOMPARE(command->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
        // Shown with the ellipsis character, found (by menus, tests, the dispatch) by the
        // table's three dots.
        QCOMPARE(QString(command->text()).remove(QLatin1Char('&')),
                 QStringLiteral("Find in Database\u2026"));
        QCOMPARE(command->objectName(), QStringLiteral("Find in Database..."));
        command->trigger();
        find_ = rig_->window->find_in_database_window();
        QVERIFY(find_);
        QVERIFY(find_->isVisible());
        new QAbstractItemModelTester(const_cast<StoreHitsModel*>(&find_->model()),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, find_);
    }
    void cleanup() { rig_.reset(); }

    void theDispatchStillKnowsTheCaptionByItsThreeDots() {
        find_->close();
        QVERIFY(rig_->window->dispatch(Menu::Edit, QStringLiteral("Find in Database...")));
        QTRY_VERIFY(rig_->window->find_in_database_window()->isVisible());
    }

    void aFrequencyAsTypedOpensItsChannelWithTheRowSelected() {
        search(QStringLiteral("154.43"));
        QCOMPARE(find_->model().rowCount(), 1);
        const StoreHit& hit = find_->model().hits().front();
        QCOMPARE(QString::fromLatin1(hit.name.c_str()), QStringLiteral("Fire Paging"));
        QCOMPARE(find_->summary()->text(), QStringLiteral("1 hit in 1 system"));
        activate(0);
        QCOMPARE(rig_->window->session().selection().key, keys::group(hit.system, hit.group));
        GridView* view = rig_->window->grid_editor()->view();
        QVERIFY(view);
        QCOMPARE(view->currentIndex().row() + 1, hit.row);
    }

    void downFromTheBoxReachesTheHitsAndEnterOpensOne() {
        search(QStringLiteral("Sheriff"));
        QVERIFY(find_->model().rowCount() > 2);
        QTest::keyClick(find_->box(), Qt::Key_Down);
        QCOMPARE(find_->focusWidget(), static_cast<QWidget*>(find_->list()));
        QTest::keyClick(find_->list(), Qt::Key_Down);
        QTest::keyClick(find_->list(), Qt::Key_Return);
        const StoreHit& hit = find_->model().hits()[1];
        QCOMPARE(rig_->window->session().selection().key, keys::group(hit.system, hit.group));
    }

    void aSystemHitOpensTheSystem() {
        search(QStringLiteral("HARBOR county"));
        QVERIFY(find_->model().rowCount() >= 1);
        const StoreHit& hit = find_->model().hits().front();
        QCOMPARE(hit.kind, MatchKind::System);
        activate(0);
        QCOMPARE(rig_->window->session().selection().key, keys::system(hit.system));
    }

    void anEditInTheOpenGridIsSearchedAndNothingFoundIsSaid() {
        search(QStringLiteral("154.43"));
        activate(0);
        const int row = find_->model().hits().front().row;
        QAbstractItemModel* grid = rig_->window->grid_editor()->view()->model();
        QVERIFY(grid->setData(grid->index(row - 1, 2), QStringLiteral("Renamed Pager")));
        search(QStringLiteral("renamed pager"));
        QCOMPARE(find_->model().rowCount(), 1);
        search(QStringLiteral("nothing like this"));
        QCOMPARE(find_->model().rowCount(), 0);
        QCOMPARE(find_->summary()->text(),
                 QStringLiteral("Nothing found for \"nothing like this\""));
        search(QString());
        QCOMPARE(find_->model().rowCount(), 0);
    }
};

QTEST_MAIN(TestFindInDatabase)
#include "test_find_in_database.moc"
