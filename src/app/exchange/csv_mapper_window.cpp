#include "app/exchange/csv_mapper_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "app/common/latin1.h"
#include "app/common/qt_file_chooser.h"
#include "app/exchange/csv_table_model.h"
#include "app/exchange/file_filter.h"
#include "core/base/prompter.h"
#include "core/base/safe_file.h"
#include "core/editor/session.h"  // k_twips_per_pixel: the settings keep places in twips
#include "core/settings/settings.h"

namespace tarvex {

namespace {

// Row 0 holds the assignments: its cells are edited through a drop-down of the 18 choices.
class AssignmentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.row() != 0) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("cbo_assignment"));
        for (auto a : csv::k_assignments) box->addItem(to_q(a));
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentText(index.data(Qt::EditRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

// Captions of the window's commands, grouped as its menus show them.
const char* const k_file_menu[] = {"New", "New From Clipboard", "Open", "Save &As CSV", "E&xit"};
const char* const k_edit_menu[] = {
    "Cu&t", "&Copy", "&Paste", "Delete", "Select All", "Remove Selected Line(s)", "Fill Down"};
const char* const k_options_menu[] = {"Remove Empty Lines", "Send to Grid"};
const char* const k_context_menu[] = {"Cu&t", "&Copy", "&Paste", "Delete", "Fill Down"};

QString plain(const QString& caption) {
    return QString(caption).remove(QLatin1Char('&'));
}

}  // namespace

CsvMapperWindow::CsvMapperWindow(Settings& settings, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), settings_(settings), prompter_(prompter) {
    setObjectName(QStringLiteral("frm_csv"));
    setWindowTitle(QString::fromLatin1(k_title));
    model_ = new CsvTableModel(this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("csvgrid"));
    view_->setModel(model_);
    view_->setItemDelegate(new AssignmentDelegate(view_));
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    view_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view_->horizontalHeader()->setDefaultSectionSize(110);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);

    not_sent_ = new QListWidget(this);
    not_sent_->setObjectName(QStringLiteral("lst_not_sent"));
    not_sent_->setToolTip(tr("Rows that Send to Grid could not convert"));
    not_sent_->hide();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    top->addWidget(build_filters(), 1);
    top->addWidget(build_cell_options(), 1);
    layout->addLayout(top);

    auto* buttons = new QHBoxLayout;
    auto add_button = [&](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, [this, caption] { command(caption); });
        buttons->addWidget(b);
        return b;
    };
    add_button(QStringLiteral("remove empty lines"), QStringLiteral("cmd_remove_empty"));
    add_button(QStringLiteral("remove without numbers"), QStringLiteral("cmd_remove_no_numbers"));
    add_button(QStringLiteral("Add Column"), QStringLiteral("cmd_add_column"));
    buttons->addSpacing(12);
    buttons->addWidget(new QLabel(QStringLiteral("Clipboard import:"), central));
    add_button(QStringLiteral("Import"), QStringLiteral("cmd_clipboard_import"));
    buttons->addStretch(1);
    add_button(QStringLiteral("Send to Grid"), QStringLiteral("cmd_send_to_grid"));
    layout->addLayout(buttons);

    auto* split = new QSplitter(Qt::Vertical, central);
    split->addWidget(view_);
    split->addWidget(not_sent_);
    split->setStretchFactor(0, 4);
    layout->addWidget(split, 1);
    setCentralWidget(central);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lbl_status"));
    statusBar()->addWidget(status_, 1);

    build_menus();
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        context_menu_->popup(view_->viewport()->mapToGlobal(pos));
    });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CsvMapperWindow::update_status);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CsvMapperWindow::update_status);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        update_columns();
        update_status();
    });

    choose_open = [this](const QString& title, const QString& filter) -> std::optional<QString> {
        QString f = QFileDialog::getOpenFileName(this, title, {}, qt_file_filter(filter));
        if (f.isEmpty()) return std::nullopt;
        return f;
    };
    choose_save = [this](const QString& title, const QString& filter) -> std::optional<QString> {
        QString f = QFileDialog::getSaveFileName(this, title, {}, qt_file_filter(filter));
        if (f.isEmpty()) return std::nullopt;
        return f;
    };
    update_columns();
    update_status();
    restore_place();
}

CsvMapperWindow::~CsvMapperWindow() {
    save_place();
}

QAction* CsvMapperWindow::make_action(const QString& caption, QMenu* menu) {
    auto* act = new QAction(caption, menu);
    act->setObjectName(plain(caption));
    connect(act, &QAction::triggered, this, [this, caption] { command(caption); });
    menu->addAction(act);
    actions_.push_back(act);
    return act;
}

void CsvMapperWindow::build_menus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (const char* c : k_file_menu) make_action(QString::fromLatin1(c), file);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    for (const char* c : k_edit_menu) make_action(QString::fromLatin1(c), edit);
    QMenu* options = menuBar()->addMenu(tr("&Options"));
    for (const char* c : k_options_menu) make_action(QString::fromLatin1(c), options);
    action(QStringLiteral("Cut"))->setShortcut(QKeySequence::Cut);
    action(QStringLiteral("Copy"))->setShortcut(QKeySequence::Copy);
    action(QStringLiteral("Paste"))->setShortcut(QKeySequence::Paste);
    action(QStringLiteral("Delete"))->setShortcut(QKeySequence::Delete);
    action(QStringLiteral("Select All"))->setShortcut(QKeySequence::SelectAll);
    action(QStringLiteral("Open"))->setShortcut(QKeySequence::Open);
    action(QStringLiteral("Fill Down"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    for (QAction* a : actions_) a->setShortcutContext(Qt::WidgetWithChildrenShortcut);

    context_menu_ = new QMenu(this);
    context_menu_->setObjectName(QStringLiteral("mnu_csv_popup"));
    for (const char* c : k_context_menu) {
        const QString caption = QString::fromLatin1(c);
        auto* act = context_menu_->addAction(caption);
        act->setObjectName(plain(caption));
        connect(act, &QAction::triggered, this, [this, caption] { command(caption); });
    }
}

QWidget* CsvMapperWindow::build_filters() {
    auto* box = new QGroupBox(tr("Line filters (applied while reading):"), this);
    auto* layout = new QVBoxLayout(box);
    auto tick = [&](const QString& text, const QString& name) {
        auto* c = new QCheckBox(text, box);
        c->setObjectName(name);
        return c;
    };
    must_frequency_ =
        tick(QStringLiteral("Line must include a frequency"), QStringLiteral("chk_frequency"));
    must_comma_ =
        tick(QStringLiteral("Line must have at least one comma"), QStringLiteral("chk_comma"));
    layout->addWidget(must_frequency_);
    layout->addWidget(must_comma_);
    auto* digits_row = new QHBoxLayout;
    must_digits_ = tick(QStringLiteral("Line must include a number of at least"),
                        QStringLiteral("chk_digits"));
    digits_ = new QComboBox(box);
    digits_->setObjectName(QStringLiteral("cbo_digits"));
    digits_->addItems({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    digits_row->addWidget(must_digits_);
    digits_row->addWidget(digits_);
    digits_row->addWidget(new QLabel(QStringLiteral("digits."), box));
    digits_row->addStretch(1);
    layout->addLayout(digits_row);
    must_dash_ = tick(QStringLiteral("Line must include a dash"), QStringLiteral("chk_dash"));
    layout->addWidget(must_dash_);
    auto* contain_row = new QHBoxLayout;
    must_contain_ =
        tick(QStringLiteral("Line must include following string:"), QStringLiteral("chk_string"));
    contain_text_ = new QLineEdit(box);
    contain_text_->setObjectName(QStringLiteral("txt_string"));
    contain_row->addWidget(must_contain_);
    contain_row->addWidget(contain_text_, 1);
    layout->addLayout(contain_row);
    must_divisible_ = tick(QStringLiteral("Line must include a number dividable by 16"),
                           QStringLiteral("chk_divisible"));
    layout->addWidget(must_divisible_);
    return box;
}

QWidget* CsvMapperWindow::build_cell_options() {
    auto* box = new QGroupBox(QStringLiteral("Filter Options (selected cells):"), this);
    auto* grid = new QGridLayout(box);
    auto radio = [&](const QString& text, const QString& name) {
        auto* r = new QRadioButton(text, box);
        r->setObjectName(name);
        return r;
    };
    auto edit = [&](const QString& name) {
        auto* e = new QLineEdit(box);
        e->setObjectName(name);
        return e;
    };
    op_upper_ =
        radio(QStringLiteral("Convert Selection To Upper Case"), QStringLiteral("opt_upper"));
    op_lower_ =
        radio(QStringLiteral("Convert Selection To Lower Case"), QStringLiteral("opt_lower"));
    op_replace_ = radio(QStringLiteral("Replace String:"), QStringLiteral("opt_replace"));
    op_remove_ = radio(QStringLiteral("Remove String:"), QStringLiteral("opt_remove"));
    replace_text_ = edit(QStringLiteral("txt_replace"));
    replace_by_ = edit(QStringLiteral("txt_by"));
    remove_text_ = edit(QStringLiteral("txt_remove"));
    op_upper_->setChecked(true);
    auto* ops = new QButtonGroup(box);
    for (auto* r : {op_upper_, op_lower_, op_replace_, op_remove_}) ops->addButton(r);
    grid->addWidget(op_upper_, 0, 0, 1, 4);
    grid->addWidget(op_lower_, 1, 0, 1, 4);
    grid->addWidget(op_replace_, 2, 0);
    grid->addWidget(replace_text_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("by:"), box), 2, 2);
    grid->addWidget(replace_by_, 2, 3);
    grid->addWidget(op_remove_, 3, 0);
    grid->addWidget(remove_text_, 3, 1);

    selected_rows_ = radio(QStringLiteral("Selected Rows"), QStringLiteral("opt_selected_rows"));
    entire_rows_ = radio(QStringLiteral("Entire Row"), QStringLiteral("opt_entire_row"));
    all_columns_ = radio(QStringLiteral("All Columns"), QStringLiteral("opt_all_columns"));
    single_column_ = radio(QStringLiteral("Single Column:"), QStringLiteral("opt_single_column"));
    column_choice_ = new QComboBox(box);
    column_choice_->setObjectName(QStringLiteral("cbo_column"));
    auto* rows = new QButtonGroup(box);
    rows->addButton(selected_rows_);
    rows->addButton(entire_rows_);
    auto* cols = new QButtonGroup(box);
    cols->addButton(all_columns_);
    cols->addButton(single_column_);
    selected_rows_->setChecked(true);
    all_columns_->setChecked(true);
    grid->addWidget(selected_rows_, 4, 0);
    grid->addWidget(entire_rows_, 4, 1);
    grid->addWidget(all_columns_, 5, 0);
    grid->addWidget(single_column_, 5, 1);
    grid->addWidget(column_choice_, 5, 2);
    auto_select_ = new QCheckBox(QStringLiteral("Auto Select"), box);
    auto_select_->setObjectName(QStringLiteral("chk_auto_select"));
    auto_select_->setChecked(true);
    grid->addWidget(auto_select_, 6, 0);
    auto* apply = new QPushButton(QStringLiteral("Apply"), box);
    apply->setObjectName(QStringLiteral("cmd_apply"));
    connect(apply, &QPushButton::clicked, this, [this] { command(QStringLiteral("Apply")); });
    grid->addWidget(apply, 6, 3);
    return box;
}

QAction* CsvMapperWindow::action(const QString& caption) const {
    const QString name = plain(caption);
    for (QAction* a : actions_)
        if (a->objectName() == name) return a;
    return nullptr;
}

// ---- commands ----

bool CsvMapperWindow::command(const QString& caption) {
    const QString c = plain(caption);
    const csv::Range sel = selection();
    if (c == QLatin1String("New")) {
        model_->replace(csv::empty_table());
    } else if (c == QLatin1String("New From Clipboard") || c == QLatin1String("Import")) {
        load_text(QApplication::clipboard()->text());
    } else if (c == QLatin1String("Open")) {
        if (auto path = choose_open(tr("Open"), QString::fromLatin1(k_open_filter)))
            load_file(*path);
    } else if (c == QLatin1String("Save As CSV")) {
        save_as();
    } else if (c == QLatin1String("Exit")) {
        close();
    } else if (c == QLatin1String("Cut")) {
        copy_cells(true);
    } else if (c == QLatin1String("Copy")) {
        copy_cells(false);
    } else if (c == QLatin1String("Paste")) {
        paste_cells();
    } else if (c == QLatin1String("Delete")) {
        model_->apply([&](TextGrid& t) { csv::delete_cells(t, sel); });
    } else if (c == QLatin1String("Select All")) {
        select(csv::whole_table(model_->table()));
    } else if (c == QLatin1String("Remove Selected Line(s)")) {
        if (!sel.empty())
            model_->apply([&](TextGrid& t) { csv::remove_rows(t, sel.top, sel.bottom); });
    } else if (c == QLatin1String("Fill Down")) {
        model_->apply([&](TextGrid& t) { csv::fill_down(t, sel); });
    } else if (c == QLatin1String("Remove Empty Lines") ||
               c == QLatin1String("remove empty lines")) {
        model_->apply([](TextGrid& t) { csv::remove_empty_lines(t); });
    } else if (c == QLatin1String("remove without numbers")) {
        model_->apply([](TextGrid& t) { csv::remove_without_numbers(t); });
    } else if (c == QLatin1String("Add Column")) {
        model_->apply([](TextGrid& t) { csv::add_column(t); });
    } else if (c == QLatin1String("Apply")) {
        apply_cell_operation();
    } else if (c == QLatin1String("Send to Grid")) {
        send();
    } else {
        return false;
    }
    update_status();
    return true;
}

csv::LineFilters CsvMapperWindow::filters() const {
    csv::LineFilters f;
    f.must_frequency = must_frequency_->isChecked();
    f.must_comma = must_comma_->isChecked();
    f.min_digits = must_digits_->isChecked() ? digits_->currentText().toInt() : 0;
    f.must_dash = must_dash_->isChecked();
    if (must_contain_->isChecked()) f.must_contain = from_q(contain_text_->text());
    f.must_divisible_16 = must_divisible_->isChecked();
    return f;
}

bool CsvMapperWindow::load_file(const QString& path) {
    csv::LoadResult result;
    bool opened = csv::load_csv_file(to_core_path(path), filters(), result);
    loaded(std::move(result), path);
    if (!opened) status_->setText(tr("Cannot open %1").arg(path));
    return opened;
}

void CsvMapperWindow::load_text(const QString& text) {
    // The clipboard speaks Unicode; as UTF-8 bytes it meets the same character rules as a file.
    QByteArray bytes = text.toUtf8();
    loaded(csv::load_clipboard(
               std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), filters()),
           tr("clipboard"));
}

void CsvMapperWindow::loaded(csv::LoadResult result, const QString& what) {
    model_->replace(std::move(result.table));
    not_sent_->clear();
    not_sent_->hide();
    if (result.too_large) prompter_.tell(csv::k_too_large);
    update_status();
    statusBar()->showMessage(tr("%1: %2 line(s) read, %3 taken")
                                 .arg(what)
                                 .arg(result.lines_read)
                                 .arg(result.lines_taken),
                             10000);
}

void CsvMapperWindow::save_as() {
    auto chosen = choose_save(tr("Save As CSV"), QString::fromLatin1(k_save_filter));
    if (!chosen) return;
    std::string path = csv::save_name(to_core_path(*chosen));
    SafeFileWriter out(path);
    out.write(csv::save_text(model_->table()));
    if (!out.commit()) {
        prompter_.tell("Could not save " + path + ": " + out.error_text());
        return;
    }
    statusBar()->showMessage(tr("Saved: %1").arg(from_core_path(path)), 10000);
}

void CsvMapperWindow::copy_cells(bool cut) {
    const csv::Range sel = selection();
    if (sel.empty()) return;
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setText(to_q(csv::clipboard_text(model_->table(), sel)));
    if (cut) model_->apply([&](TextGrid& t) { csv::delete_cells(t, sel); });
}

void CsvMapperWindow::paste_cells() {
    QModelIndex at = view_->currentIndex();
    const int row = at.isValid() ? std::max(at.row(), 1) : 1;
    const int col = at.isValid() ? at.column() : 0;
    const std::string text = from_q(QApplication::clipboard()->text());
    csv::Range pasted;
    model_->apply([&](TextGrid& t) { pasted = csv::paste_cells(t, row, col, text); });
    if (!pasted.empty()) select(pasted);
}

void CsvMapperWindow::apply_cell_operation() {
    const csv::Range sel = selection();
    csv::Scope scope;
    if (auto_select_->isChecked()) {
        scope = csv::auto_scope(sel);
        // Show what was chosen, so the user sees the scope the operation ran on.
        (scope.rows == csv::RowScope::Selected ? selected_rows_ : entire_rows_)->setChecked(true);
        (scope.cols == csv::ColScope::Single ? single_column_ : all_columns_)->setChecked(true);
        if (scope.cols == csv::ColScope::Single) column_choice_->setCurrentIndex(scope.column);
    } else {
        scope.rows = selected_rows_->isChecked() ? csv::RowScope::Selected : csv::RowScope::All;
        scope.cols = single_column_->isChecked() ? csv::ColScope::Single : csv::ColScope::All;
        scope.column = column_choice_->currentIndex();
    }
    csv::CellOp op = op_upper_->isChecked()     ? csv::CellOp::Upper
                     : op_lower_->isChecked()   ? csv::CellOp::Lower
                     : op_replace_->isChecked() ? csv::CellOp::Replace
                                                : csv::CellOp::Remove;
    const std::string text =
        from_q(op == csv::CellOp::Remove ? remove_text_->text() : replace_text_->text());
    const std::string with = from_q(replace_by_->text());
    int changed = 0;
    model_->apply([&](TextGrid& t) { changed = csv::apply(t, op, scope, sel, text, with); });
    statusBar()->showMessage(tr("%1 cell(s) changed").arg(changed), 10000);
}

void CsvMapperWindow::send() {
    const TextGrid& t = model_->table();
    bool has_frequency = false;
    for (int c = 0; c < t.cols(); ++c)
        if (csv::assignment_index(t.at(0, c)) == csv::Frequency) has_frequency = true;
    if (!has_frequency) {
        prompter_.tell(csv::k_no_frequency_column);
        return;
    }
    if (!send_to_grid) {
        prompter_.tell(csv::k_needs_channel_grid);
        return;
    }
    csv::GridRows rows = csv::to_channel_rows(t);
    if (rows.count > 0 && !send_to_grid(rows)) return;
    not_sent_->clear();
    for (const auto& p : rows.problems) not_sent_->addItem(to_q(csv::describe(p)));
    not_sent_->setVisible(!rows.problems.empty());
    statusBar()->showMessage(tr("Sent %1 row(s) to the grid; %2 not converted")
                                 .arg(rows.count)
                                 .arg(rows.problems.size()),
                             15000);
}

// ---- selection and status ----

csv::Range CsvMapperWindow::selection() const {
    const auto indexes = view_->selectionModel()->selectedIndexes();
    csv::Range r{1, 0, 0, -1};
    if (indexes.isEmpty()) {
        QModelIndex c = view_->currentIndex();
        if (!c.isValid() || c.row() < 1) return r;
        return {c.row(), c.column(), c.row(), c.column()};
    }
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QModelIndex& i : indexes) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    // The assignment row is never part of a cell operation.
    return {std::max(top, 1), left, bottom, right};
}

void CsvMapperWindow::select(const csv::Range& range) {
    if (range.empty()) return;
    QItemSelection s(model_->index(range.top, range.left),
                     model_->index(range.bottom, range.right));
    view_->selectionModel()->select(s, QItemSelectionModel::ClearAndSelect);
    view_->selectionModel()->setCurrentIndex(model_->index(range.top, range.left),
                                             QItemSelectionModel::NoUpdate);
}

void CsvMapperWindow::assign(int column, int assignment) {
    if (assignment < 0 || assignment >= static_cast<int>(csv::k_assignments.size())) return;
    model_->setData(model_->index(0, column), to_q(csv::k_assignments[assignment]));
}

void CsvMapperWindow::update_status() {
    const csv::Range s = selection();
    const int rows = s.empty() ? 0 : s.bottom - s.top + 1;
    const int cols = s.empty() ? 0 : s.right - s.left + 1;
    status_->setText(QStringLiteral("Selection: %1 Rows x %2 Cols   Row:%3   RowSel:%4   Col:%5   "
                                    "ColSel:%6")
                         .arg(rows)
                         .arg(cols)
                         .arg(s.empty() ? 0 : s.top)
                         .arg(s.empty() ? 0 : s.bottom)
                         .arg(s.empty() ? 0 : s.left + 1)
                         .arg(s.empty() ? 0 : s.right + 1));
}

void CsvMapperWindow::update_columns() {
    const int keep = column_choice_->currentIndex();
    column_choice_->clear();
    for (int c = 0; c < model_->table().cols(); ++c)
        column_choice_->addItem(QString::number(c + 1));
    column_choice_->setCurrentIndex(std::clamp(keep, 0, column_choice_->count() - 1));
}

// ---- place ----

void CsvMapperWindow::restore_place() {
    const int left = settings_.get_int("csv", "csvleft", 100);
    const int top = settings_.get_int("csv", "csvtop", 100);
    const int width = settings_.get_int("csv", "csvwidth", 11640);
    const int height = settings_.get_int("csv", "csvheight", 8100);
    QRect r(left / k_twips_per_pixel, top / k_twips_per_pixel,
            std::max(width / k_twips_per_pixel, 400), std::max(height / k_twips_per_pixel, 300));
    // A place remembered on a screen that is gone comes back onto the primary one.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        bool visible = false;
        for (QScreen* s : QGuiApplication::screens())
            if (s->availableGeometry().intersects(r)) visible = true;
        if (!visible) r.moveTopLeft(avail.topLeft());
    }
    resize(r.size());
    move(r.topLeft());
}

void CsvMapperWindow::save_place() {
    if (place_saved_) return;
    place_saved_ = true;
    settings_.SaveSetting("csv", "csvleft", std::to_string(x() * k_twips_per_pixel));
    settings_.SaveSetting("csv", "csvtop", std::to_string(y() * k_twips_per_pixel));
    settings_.SaveSetting("csv", "csvwidth", std::to_string(width() * k_twips_per_pixel));
    settings_.SaveSetting("csv", "csvheight", std::to_string(height() * k_twips_per_pixel));
}

void CsvMapperWindow::closeEvent(QCloseEvent* event) {
    save_place();
    place_saved_ = false;  // a window shown again remembers its next place too
    QMainWindow::closeEvent(event);
}

}  // namespace tarvex
