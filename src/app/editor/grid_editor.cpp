#include "app/editor/grid_editor.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/common/latin1.h"
#include "app/editor/grid_model.h"
#include "app/editor/grid_view.h"
#include "core/base/prompter.h"
#include "core/base/text.h"
#include "core/editor/grid_check.h"
#include "core/editor/grid_columns.h"
#include "core/editor/grid_fit.h"
#include "core/editor/grid_keys.h"
#include "core/editor/grid_text.h"
#include "core/editor/map_link.h"
#include "core/editor/session.h"
#include "core/model/group_files.h"
#include "core/model/record_fields.h"
#include "core/model/store_keys.h"
#include "core/model/system_store.h"
#include "core/settings/settings.h"

namespace tarvex {

using grid::GridKind;

namespace {

QLineEdit* coordinate_edit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(110);
    return e;
}

}  // namespace

GridEditor::GridEditor(EditingSession& session, Settings& settings, QWidget* parent)
    : QWidget(parent), session_(session), settings_(settings) {
    setObjectName(QStringLiteral("frm_grid"));
    build_ui();
}

GridEditor::~GridEditor() = default;

void GridEditor::build_ui() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("lbl_group"));
    QFont f = caption_->font();
    f.setBold(true);
    caption_->setFont(f);
    layout->addWidget(caption_);

    // Two short rows rather than one long one, so the editor fits beside the browser on a
    // small screen.
    auto* header = new QHBoxLayout;
    header->addWidget(new QLabel(tr("Name:"), this));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txt_name"));
    name_->setMaxLength(static_cast<int>(k_max_name_chars));
    name_->setMinimumWidth(120);
    header->addWidget(name_, 1);
    name_count_ = new QLabel(to_q(name_counter_text("")), this);
    name_count_->setObjectName(QStringLiteral("lbl_chars"));
    header->addWidget(name_count_);
    lockout_ = new QCheckBox(tr("Lockout"), this);
    lockout_->setObjectName(QStringLiteral("chk_lockout"));
    header->addWidget(lockout_);
    layout->addLayout(header);

    auto* place = new QHBoxLayout;
    place->addWidget(new QLabel(tr("Lat:"), this));
    latitude_ = coordinate_edit(QStringLiteral("txt_lat"), this);
    place->addWidget(latitude_);
    place->addWidget(new QLabel(tr("Lon:"), this));
    longitude_ = coordinate_edit(QStringLiteral("txt_lon"), this);
    place->addWidget(longitude_);
    place->addWidget(new QLabel(tr("Range:"), this));
    range_ = coordinate_edit(QStringLiteral("txt_range"), this);
    range_->setMaximumWidth(60);
    place->addWidget(range_);
    map_button_ = new QPushButton(tr("Map"), this);
    map_button_->setObjectName(QStringLiteral("cmd_map"));
    map_button_->setToolTip(tr("Show the group's location on a web map"));
    place->addWidget(map_button_);
    gps_button_ = new QToolButton(this);
    gps_button_->setText(tr("GPS"));
    gps_button_->setObjectName(QStringLiteral("cmd_gps"));
    gps_button_->setToolTip(tr("Edit the group's location"));
    place->addWidget(gps_button_);
    connect(gps_button_, &QToolButton::clicked, this, [this] { open_location(); });
    place->addStretch(1);
    default_button_ = new QPushButton(tr("Default"), this);
    default_button_->setObjectName(QStringLiteral("cmd_default"));
    place->addWidget(default_button_);
    layout->addLayout(place);

    for (QLineEdit* e : {name_, latitude_, longitude_, range_}) {
        connect(e, &QLineEdit::textEdited, this, [this] { header_edited(); });
        // The header goes to the store when the user leaves the field: one undo step per field
        // rather than one per character.
        connect(e, &QLineEdit::editingFinished, this, [this] { commit_header(); });
    }
    connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) {
        name_count_->setText(to_q(name_counter_text(from_q(text))));
    });
    connect(lockout_, &QCheckBox::toggled, this, [this] {
        header_edited();
        commit_header();
    });
    connect(default_button_, &QPushButton::clicked, this, [this] {
        if (!has_group()) return;
        GroupHeaderForm form = header_form();
        default_group_header(form, group_);
        show_header(form);
        header_edited();
        commit_header();
    });
    connect(map_button_, &QPushButton::clicked, this, [this] { open_map(); });

    grids_ = new QStackedWidget(this);
    empty_page_ =
        new QLabel(tr("Click a group or department in the browser to edit its channels."), this);
    static_cast<QLabel*>(empty_page_)->setAlignment(Qt::AlignCenter);
    grids_->addWidget(empty_page_);
    conv_view_ = make_view(QStringLiteral("convgrid"), GridKind::Channel, conv_model_);
    trunk_view_ = make_view(QStringLiteral("trunkgrid"), GridKind::Talkgroup, trunk_model_);
    layout->addWidget(grids_, 1);

    // The find bar: Find and Replace open it under the grid instead of a modal box, so the
    // user can keep clicking in the grid while searching.
    find_bar_ = new QWidget(this);
    find_bar_->setObjectName(QStringLiteral("find_bar"));
    auto* fb = new QHBoxLayout(find_bar_);
    fb->setContentsMargins(0, 0, 0, 0);
    fb->addWidget(new QLabel(tr("Find:"), find_bar_));
    find_text_ = new QLineEdit(find_bar_);
    find_text_->setObjectName(QStringLiteral("txt_find"));
    fb->addWidget(find_text_, 1);
    auto* next = new QPushButton(tr("Find Next"), find_bar_);
    next->setObjectName(QStringLiteral("cmd_find_next"));
    fb->addWidget(next);
    fb->addWidget(new QLabel(tr("Replace with:"), find_bar_));
    replace_text_ = new QLineEdit(find_bar_);
    replace_text_->setObjectName(QStringLiteral("txt_replace"));
    fb->addWidget(replace_text_, 1);
    replace_button_ = new QPushButton(tr("Replace All"), find_bar_);
    replace_button_->setObjectName(QStringLiteral("cmd_replace_all"));
    fb->addWidget(replace_button_);
    match_case_ = new QCheckBox(tr("Match case"), find_bar_);
    fb->addWidget(match_case_);
    auto* close = new QPushButton(tr("Close"), find_bar_);
    fb->addWidget(close);
    connect(next, &QPushButton::clicked, this, [this] { find_next(); });
    connect(find_text_, &QLineEdit::returnPressed, this, [this] { find_next(); });
    connect(replace_button_, &QPushButton::clicked, this, [this] { replace_all(); });
    connect(close, &QPushButton::clicked, find_bar_, &QWidget::hide);
    find_bar_->hide();
    layout->addWidget(find_bar_);

    // The check results with their Fix button; shown by Check, kept current while the grid
    // changes, and changing nothing until Fix is pressed.
    check_panel_ = new QWidget(this);
    check_panel_->setObjectName(QStringLiteral("check_panel"));
    auto* cp = new QHBoxLayout(check_panel_);
    cp->setContentsMargins(0, 0, 0, 0);
    check_list_ = new QListWidget(check_panel_);
    check_list_->setObjectName(QStringLiteral("check_results"));
    check_list_->setMaximumHeight(120);
    cp->addWidget(check_list_, 1);
    auto* check_buttons = new QVBoxLayout;
    fix_button_ = new QPushButton(tr("Fix"), check_panel_);
    fix_button_->setObjectName(QStringLiteral("cmd_fix"));
    fix_button_->setToolTip(
        tr("Make the corrections and fill in the defaults listed (one undo "
           "step)"));
    check_buttons->addWidget(fix_button_);
    auto* close_check = new QPushButton(tr("Close"), check_panel_);
    check_buttons->addWidget(close_check);
    check_buttons->addStretch(1);
    cp->addLayout(check_buttons);
    connect(fix_button_, &QPushButton::clicked, this, [this] { fix(); });
    connect(close_check, &QPushButton::clicked, check_panel_, &QWidget::hide);
    check_panel_->hide();
    connect(check_list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        int row = item->data(Qt::UserRole).toInt(), col = item->data(Qt::UserRole + 1).toInt();
        if (row <= 0) return;
        if (GridView* v = view()) {
            v->move_to(row - 1, col);
            v->setFocus();
        }
    });
    layout->addWidget(check_panel_);

    for (QWidget* w : {static_cast<QWidget*>(name_), static_cast<QWidget*>(lockout_),
                       static_cast<QWidget*>(latitude_), static_cast<QWidget*>(longitude_),
                       static_cast<QWidget*>(range_), static_cast<QWidget*>(default_button_),
                       static_cast<QWidget*>(map_button_)})
        w->setEnabled(false);
}

GridView* GridEditor::make_view(const QString& name, GridKind kind, GridModel*& model) {
    auto* view = new GridView(grids_);
    view->setObjectName(name);
    model = new GridModel(view);
    std::vector<std::string> titles;
    for (const auto& colspec : grid::columns_of(kind))
        if (colspec.column != grid::Column::Number) titles.emplace_back(colspec.title);
    model->set_titles(titles);
    TextGrid empty;
    grid::setup_grid(empty, kind);
    model->replace(empty);
    view->setModel(model);
    set_up_columns(view, kind);

    model->edit_hook = [this](int r, int c, const std::string& v) { cell_edited(r, c, v); };
    model->problem_of = [this, model, kind](int r, int c) {
        return grid::cell_error(model->grid(), kind, r, c, system_type());
    };
    view->key_table = [this](int r, int c, const std::string& key) {
        return key_pressed(r, c, key);
    };
    view->is_free_column = [kind](int col) {
        const grid::ColumnSpec* colspec = grid::column_spec(kind, col);
        return colspec && colspec->editor == grid::CellEditor::Text;
    };
    view->on_delete = [this] { run(CommandId::Delete); };
    view->delegate()->choices = [this](int r, int c) { return cell_choices(r, c); };
    view->delegate()->max_length = [kind](int col) {
        const grid::ColumnSpec* colspec = grid::column_spec(kind, col);
        return colspec && colspec->column == grid::Column::AlphaTag ? grid::k_alpha_tag_limit : 0;
    };
    // Open check results follow the grid: refreshed once per turn of the event loop however
    // many cells an operation changed.
    auto grid_changed = [this] {
        if (!check_panel_ || !check_panel_->isVisible() || check_pending_) return;
        check_pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                check_pending_ = false;
                if (check_panel_->isVisible() && has_group()) refresh_check();
            },
            Qt::QueuedConnection);
    };
    connect(model, &QAbstractItemModel::dataChanged, this, grid_changed);
    connect(model, &QAbstractItemModel::modelReset, this, grid_changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, grid_changed);
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
        emit context_menu(view->viewport()->mapToGlobal(pos));
    });
    grids_->addWidget(view);
    return view;
}

void GridEditor::set_up_columns(GridView* view, GridKind kind) {
    std::vector<int> widths = grid::read_column_widths(settings_, kind);
    const QFontMetrics body(view->font());
    const QFontMetrics header(view->horizontalHeader()->font());
    ColumnFit& fit = column_fits_[view];
    fit = {};
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        const int width = grid::twips_to_pixels(c == 0 ? std::min(widths[c], 700) : widths[c]);
        grid::ColumnRoom room{width, width, width, width};
        // A width the user never set is the program's to choose: wide enough for the title
        // and the usual values where the window allows, narrower where it does not.
        const bool automatic = c > 0 && widths[c] == grid::default_width(kind);
        if (automatic) {
            const QString title = to_q(grid::columns_of(kind)[static_cast<size_t>(c)].title);
            int word = 0;
            for (const QString& w : title.split(QLatin1Char(' ')))
                word = std::max(word, header.horizontalAdvance(w));
            const int pad = GridHeader::title_padding();
            room.title = header.horizontalAdvance(title) + pad;
            room.title_word = word + pad;
            room.value = body.horizontalAdvance(to_q(grid::value_sample(kind, c))) + 16;
            room.least = body.horizontalAdvance(to_q(grid::least_sample(kind, c))) + 16;
        }
        fit.rooms.push_back(room);
        fit.automatic.push_back(automatic);
        view->setColumnWidth(c, std::max(room.title, room.value));
    }
    // The last column takes what is left of the window's width.
    view->horizontalHeader()->setStretchLastSection(true);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this, view](int logical, int, int) {
                ColumnFit& f = column_fits_[view];
                // The last column follows the window by itself; any other changed by hand
                // makes every width the user's.
                if (!f.fitting && logical < static_cast<int>(f.rooms.size()) - 1)
                    f.user_sized = true;
            });
    view->on_resize = [this, view] { fit_columns(view); };
    fit_columns(view);
}

void GridEditor::fit_columns(GridView* view) {
    ColumnFit& fit = column_fits_[view];
    if (fit.user_sized || fit.rooms.empty()) return;
    // Room for the vertical scroll bar is kept whether it shows or not: the last column
    // stretches over it when it does not, and a group that grows does not push a bar in.
    const int room =
        view->width() - 2 * view->frameWidth() - view->verticalScrollBar()->sizeHint().width();
    if (room <= 0) return;
    const std::vector<int> widths = grid::fit_widths(fit.rooms, room);
    fit.fitting = true;
    for (size_t c = 0; c < widths.size(); ++c) view->setColumnWidth(static_cast<int>(c), widths[c]);
    fit.fitting = false;
    // Titles that went to two lines (or came back) change the header's height.
    auto* header = view->horizontalHeader();
    header->headerDataChanged(Qt::Horizontal, 0, header->count() - 1);
    emit header->geometriesChanged();
}

void GridEditor::save_column_widths() {
    for (auto [view, kind] :
         {std::pair{conv_view_, GridKind::Channel}, std::pair{trunk_view_, GridKind::Talkgroup}}) {
        const ColumnFit& fit = column_fits_[view];
        std::vector<int> widths;
        for (int c = 0; c < grid::column_count(kind); ++c) {
            // A width the program chose for this window is chosen again next time, for that
            // window's size.
            const bool chosen = !fit.user_sized && static_cast<size_t>(c) < fit.automatic.size() &&
                                fit.automatic[static_cast<size_t>(c)];
            widths.push_back(chosen ? grid::default_width(kind)
                                    : grid::pixels_to_twips(view->columnWidth(c)));
        }
        grid::save_column_widths(settings_, kind, widths);
    }
}

GridView* GridEditor::view() const {
    if (!has_group()) return nullptr;
    return kind_ == GridKind::Channel ? conv_view_ : trunk_view_;
}

GridModel* GridEditor::model() const {
    return kind_ == GridKind::Channel ? conv_model_ : trunk_model_;
}

bool GridEditor::is_edacs() const {
    if (!has_group()) return false;
    return is_edacs_type_code(session_.store().system_type_code(system_));
}

int GridEditor::system_type() const {
    if (!has_group()) return grid::k_any_system;
    const std::string& code = std::as_const(session_.store()).system_type_code(system_);
    return code.empty() ? grid::k_any_system : static_cast<int>(lenient_integer(code));
}

std::string GridEditor::group_key() const {
    return keys::group(system_, group_);
}

// ---- opening and leaving ----

void GridEditor::open_group(int system, int group) {
    if (has_group() && (system != system_ || group != group_)) leave();
    const std::string& code = std::as_const(session_.store()).system_type_code(system);
    system_ = system;
    group_ = group;
    kind_ = grid::grid_kind_for_system_type(static_cast<int>(lenient_integer(code)));
    dirty_ = false;
    header_dirty_ = false;

    TextGrid loaded;
    grid::load_group_grid(session_.files(), system, group, kind_, loaded);
    loading_ = true;
    model()->replace(std::move(loaded));
    show_header(show_group_header(session_.store(), system, group));
    loading_ = false;

    GridView* v = view();
    grids_->setCurrentWidget(v);
    v->move_to(0, 1);
    for (QWidget* w : {static_cast<QWidget*>(name_), static_cast<QWidget*>(lockout_),
                       static_cast<QWidget*>(latitude_), static_cast<QWidget*>(longitude_),
                       static_cast<QWidget*>(range_), static_cast<QWidget*>(default_button_),
                       static_cast<QWidget*>(map_button_)})
        w->setEnabled(true);
    caption_->setText(to_q(std::as_const(session_.store()).system_slot(system, k_slot_name)) +
                      QStringLiteral("  \u2022  ") +
                      (kind_ == GridKind::Channel ? tr("Channels") : tr("Talkgroups")));
    check_list_->clear();
    check_panel_->hide();
}

bool GridEditor::write_grid() {
    TextGrid copy = model()->grid();
    if (!grid::save_group_grid(session_.files(), system_, group_, kind_, copy)) {
        // The rows stay in the grid and the session stays unsaved; the next write tries again.
        dirty_ = true;
        session_.prompter().tell(
            "The group's channels could not be written to the temp folder (the disk may be "
            "full). They are kept in the grid; saving is not possible until they are written.",
            "Warning");
        session_.mark_changed(system_);
        return false;
    }
    dirty_ = false;
    session_.mark_changed(system_);
    session_.note_edited_group(system_, group_);
    return true;
}

void GridEditor::commit(const QString& label, const std::function<bool()>& edit) {
    const bool was = committing_;
    committing_ = true;
    {
        EditingSession::Change change(session_, from_q(label));
        if (edit()) write_grid();
    }
    committing_ = was;
}

void GridEditor::write_back() {
    if (!has_group() || committing_) return;
    committing_ = true;
    view()->finish_editing();
    committing_ = false;
    if (dirty_) commit(tr("Edit cell"), [] { return true; });
    commit_header();
}

void GridEditor::commit_header() {
    if (!has_group() || !header_dirty_ || loading_) return;
    header_dirty_ = false;
    const bool was = committing_;
    committing_ = true;
    save_group_header(session_, system_, group_, header_form());
    committing_ = was;
}

void GridEditor::leave() {
    if (!has_group()) return;
    write_back();
    system_ = 0;
    group_ = -1;
    grids_->setCurrentWidget(empty_page_);
    show_header({});
    caption_->clear();
    for (QWidget* w : {static_cast<QWidget*>(name_), static_cast<QWidget*>(lockout_),
                       static_cast<QWidget*>(latitude_), static_cast<QWidget*>(longitude_),
                       static_cast<QWidget*>(range_), static_cast<QWidget*>(default_button_),
                       static_cast<QWidget*>(map_button_)})
        w->setEnabled(false);
    find_bar_->hide();
    check_panel_->hide();
}

void GridEditor::reload() {
    if (!has_group()) return;
    dirty_ = false;
    header_dirty_ = false;
    int s = system_, g = group_;
    system_ = 0;
    group_ = -1;
    open_group(s, g);
}

void GridEditor::forget() {
    if (!has_group()) return;
    dirty_ = false;
    header_dirty_ = false;
    view()->discard_editing();  // nothing of a group that is gone may be written
    leave();
}

// ---- header ----

void GridEditor::show_header(const GroupHeaderForm& form) {
    const bool was = loading_;
    loading_ = true;
    name_->setText(to_q(form.name));
    lockout_->setChecked(form.lockout);
    latitude_->setText(to_q(form.latitude));
    longitude_->setText(to_q(form.longitude));
    range_->setText(to_q(form.range));
    loading_ = was;
}

GroupHeaderForm GridEditor::header_form() const {
    GroupHeaderForm form;
    form.name = from_q(name_->text());
    form.lockout = lockout_->isChecked();
    form.latitude = from_q(latitude_->text());
    form.longitude = from_q(longitude_->text());
    form.range = from_q(range_->text());
    return form;
}

void GridEditor::header_edited() {
    if (loading_ || !has_group()) return;
    header_dirty_ = true;
    emit group_renamed(to_q(group_key()), name_->text());
}

void GridEditor::open_map() {
    std::string url = map_link(from_q(latitude_->text()), from_q(longitude_->text()));
    if (url.empty()) {
        session_.prompter().tell(k_no_location);
        return;
    }
    if (open_url) open_url(url);
}

// ---- cells ----

void GridEditor::cell_edited(int grid_row, int col, const std::string& value) {
    if (!has_group()) return;
    commit(tr("Edit cell"), [&] {
        GridModel* m = model();
        const bool last_row = grid_row == m->grid().rows() - 1;
        m->set_cell(grid_row, col, value);
        // Typing into the last row opens a new empty one below, so entry can go on.
        if (last_row && !value.empty() && m->grid().rows() <= grid::k_max_rows) m->append_rows(1);
        return true;
    });
    // A value the scanner cannot use is kept as typed (the user may be half-way through a
    // row) but marked, and said at once.
    std::string problem = grid::cell_error(model()->grid(), kind_, grid_row, col, system_type());
    if (!problem.empty()) emit status(tr("Row %1, %2").arg(grid_row).arg(to_q(problem)));
}

bool GridEditor::key_pressed(int grid_row, int col, const std::string& key) {
    const grid::ColumnSpec* colspec = grid::column_spec(kind_, col);
    if (!colspec || key.size() != 1) return false;
    const std::string& current = model()->grid().at(grid_row, col);
    auto value = grid::key_entry(colspec->column, key[0], current);
    if (!value) return false;
    if (*value != current) cell_edited(grid_row, col, *value);
    return true;
}

std::optional<std::vector<std::string>> GridEditor::cell_choices(int grid_row, int col) const {
    const grid::ColumnSpec* colspec = grid::column_spec(kind_, col);
    if (!colspec) return std::nullopt;
    switch (colspec->editor) {
        case grid::CellEditor::List:
            return std::vector<std::string>(colspec->values.begin(), colspec->values.end());
        case grid::CellEditor::SqCodeList: {
            int mode_col = grid::column_index(kind_, grid::Column::SqMode);
            const std::string& mode = model()->grid().at(grid_row, mode_col);
            // NACs are typed: a text box serves better than a list of 4096.
            if (grid::sq_code_typed(mode)) return std::nullopt;
            return grid::sq_code_values(mode);
        }
        default:
            return std::nullopt;
    }
}

// ---- selection ----

grid::CellRange GridEditor::selected_range() const {
    GridView* v = view();
    if (!v) return {1, 1, 0, 0};
    const TextGrid& g = model()->grid();
    const QItemSelection sel = v->selectionModel()->selection();
    if (sel.isEmpty()) {
        QModelIndex c = v->currentIndex();
        if (!c.isValid()) return {1, 1, 0, 0};
        return grid::clip(grid::CellRange::cell(c.row() + 1, std::max(1, c.column())), g);
    }
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange& r : sel) {
        top = std::min(top, r.top() + 1);
        bottom = std::max(bottom, r.bottom() + 1);
        left = std::min(left, r.left());
        right = std::max(right, r.right());
    }
    return grid::clip({top, std::max(1, left), bottom, std::max(1, right)}, g);
}

void GridEditor::select_range(const grid::CellRange& range) {
    GridView* v = view();
    if (!v || range.empty()) return;
    GridModel* m = model();
    QModelIndex tl = m->index(range.top - 1, range.left),
                br = m->index(range.bottom - 1, range.right);
    if (!tl.isValid() || !br.isValid()) return;
    v->selectionModel()->setCurrentIndex(tl, QItemSelectionModel::NoUpdate);
    v->selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
    v->scrollTo(tl);
}

EditorPlace GridEditor::place() const {
    GridView* v = view();
    EditorPlace p;
    if (!has_group() || !v) return p;
    if (QModelIndex c = v->currentIndex(); c.isValid()) {
        p.row = c.row() + 1;
        p.col = c.column();
    }
    if (const int top = v->rowAt(0); top >= 0) p.top_row = top + 1;
    return p;
}

void GridEditor::restore_place(const EditorPlace& p) {
    GridView* v = view();
    GridModel* m = model();
    if (!has_group() || !v || m->rowCount() == 0) return;
    const int last = m->rowCount();
    if (p.row > 0) {
        QModelIndex c =
            m->index(std::min(p.row, last) - 1, std::clamp(p.col, 0, m->columnCount() - 1));
        v->selectionModel()->setCurrentIndex(c, QItemSelectionModel::ClearAndSelect);
    }
    // After the current cell, so its own scrolling does not move the rows shown.
    if (p.top_row > 0)
        v->scrollTo(m->index(std::min(p.top_row, last) - 1, 0), QAbstractItemView::PositionAtTop);
}

grid::GridChange GridEditor::change(const QString& label,
                                    const std::function<grid::GridChange(TextGrid&)>& op) {
    grid::GridChange result;
    commit(label, [&] {
        model()->apply([&](TextGrid& g) { result = op(g); });
        return result.changed || result.rows_changed;
    });
    if (result.selection) select_range(*result.selection);
    return result;
}

}  // namespace tarvex
