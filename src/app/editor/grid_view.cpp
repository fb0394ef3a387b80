#include "app/editor/grid_view.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QToolTip>

#include "app/common/latin1.h"

namespace tarvex {

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const int row = index.row() + 1, col = index.column();
    if (choices) {
        if (auto list = choices(row, col)) {
            auto* combo = new QComboBox(parent);
            combo->setObjectName(QStringLiteral("grid_list"));
            for (const auto& v : *list) combo->addItem(to_q(v));
            // A list never drops a value the file brought in: it stays selectable as it is.
            return combo;
        }
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("grid_text"));
    if (max_length) {
        if (int n = max_length(col); n > 0) edit->setMaxLength(n);
    }
    edit->setFrame(false);
    return edit;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        int at = combo->findText(value);
        if (at < 0 && !value.isEmpty()) {
            combo->insertItem(0, value);
            at = 0;
        }
        combo->setCurrentIndex(at);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(value);
        edit->selectAll();
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentText());
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) model->setData(index, edit->text());
}

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
}

int GridHeader::title_padding() {
    return 24;
}

QString GridHeader::shown_title(int logical) const {
    const QString title =
        model() ? model()->headerData(logical, orientation(), Qt::DisplayRole).toString()
                : QString();
    if (fontMetrics().horizontalAdvance(title) + title_padding() <= sectionSize(logical))
        return title;
    // At the space nearest the middle, so the two lines are about as long.
    qsizetype best = -1;
    for (qsizetype i = 0; i < title.size(); ++i)
        if (title[i] == QLatin1Char(' ') &&
            (best < 0 || std::abs(i - title.size() / 2) < std::abs(best - title.size() / 2)))
            best = i;
    if (best < 0) return title;
    return title.left(best) + QLatin1Char('\n') + title.mid(best + 1);
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logical) const {
    if (!rect.isValid()) return;
    QStyleOptionHeaderV2 option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, logical);
    option.rect = rect;
    option.text = shown_title(logical);
    const QPoint origin = painter->brushOrigin();
    painter->setBrushOrigin(rect.topLeft());
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->setBrushOrigin(origin);
}

QSize GridHeader::sectionSizeFromContents(int logical) const {
    QSize size = QHeaderView::sectionSizeFromContents(logical);
    // The header is as tall as its tallest title; a wrapped one takes a second line.
    if (shown_title(logical).contains(QLatin1Char('\n')))
        size.setHeight(size.height() + fontMetrics().lineSpacing());
    return size;
}

GridView::GridView(QWidget* parent) : QTableView(parent), delegate_(new GridDelegate(this)) {
    setHorizontalHeader(new GridHeader(this));
    setItemDelegate(delegate_);
    // As in a spreadsheet, a click only selects, even on the selected cell: typing replaces the
    // value, double-click or F2 edits it in place. A click that opened the editor by itself a
    // moment later put the caret wherever the next click landed, and the typed value went into
    // the middle of the old one ("154.3146.611").
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setAlternatingRowColors(true);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setWordWrap(false);
}

bool GridView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex i = indexAt(help->pos());
        // The model's own tip (a problem with the value) comes first.
        if (i.isValid() && i.data(Qt::ToolTipRole).toString().isEmpty()) {
            const QString text = i.data(Qt::DisplayRole).toString();
            const int room = visualRect(i).width() - 8;
            if (!text.isEmpty() && fontMetrics().horizontalAdvance(text) > room) {
                QToolTip::showText(help->globalPos(), text, viewport(), visualRect(i));
                return true;
            }
            QToolTip::hideText();
            event->ignore();
            return true;
        }
    }
    return QTableView::viewportEvent(event);
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (on_resize) on_resize();
}

void GridView::move_to(int model_row, int col) {
    if (!model() || model()->rowCount() == 0) return;
    model_row = std::clamp(model_row, 0, model()->rowCount() - 1);
    col = std::clamp(col, 0, model()->columnCount() - 1);
    QModelIndex i = model()->index(model_row, col);
    setCurrentIndex(i);
    scrollTo(i);
}

void GridView::finish_editing() {
    if (state() != EditingState) return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return;
    commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::discard_editing() {
    if (state() != EditingState) return;
    if (QWidget* editor = indexWidget(currentIndex()))
        QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void GridView::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    emit focused();
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Enter in a cell editor commits and moves down, as in a spreadsheet.
    const bool enter = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableView::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
    if (enter) move_to(currentIndex().row() + 1, currentIndex().column());
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex cur = currentIndex();
    if (state() == EditingState || !cur.isValid()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const auto mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        move_to(cur.row() + 1, cur.column());
        return;
    }
    if (key == Qt::Key_Delete && mods == Qt::NoModifier) {
        if (on_delete) on_delete();
        return;
    }
    if (mods != Qt::NoModifier) {
        QTableView::keyPressEvent(event);
        return;
    }
    std::string text;
    if (key == Qt::Key_Minus)
        text = "-";  // main keyboard and numeric pad alike
    else if (key == Qt::Key_Space)
        text = " ";
    else if (!event->text().isEmpty() && event->text().at(0).isPrint())
        text = from_q(event->text().toUpper());
    if (!text.empty()) {
        if (key_table && key_table(cur.row() + 1, cur.column(), text)) return;
        if (text != " " && is_free_column && is_free_column(cur.column()) &&
            (cur.flags() & Qt::ItemIsEditable)) {
            // Typing over a cell replaces it: the text box opens with the value selected and
            // receives the key.
            QTableView::edit(cur, AnyKeyPressed, event);
            return;
        }
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace tarvex
