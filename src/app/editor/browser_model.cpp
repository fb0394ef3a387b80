#include "app/editor/browser_model.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPixmap>

#include "app/common/latin1.h"
#include "core/editor/command_help.h"

namespace tarvex {

namespace {

struct Badge {
    std::string_view letter;
    QColor color;
};

// One small lettered badge per node kind; the tree reads at a glance without image files. The
// letters are the core's legend, which the tool tips spell out.
Badge badge_for(NodeImage image) {
    switch (image) {
        case NodeImage::Conventional:
            return {node_kind_letter(image), QColor(0x2e, 0x7d, 0x32)};
        case NodeImage::Motorola:
            return {node_kind_letter(image), QColor(0x15, 0x65, 0xc0)};
        case NodeImage::Edacs:
            return {node_kind_letter(image), QColor(0x6a, 0x1b, 0x9a)};
        case NodeImage::EdacsScat:
            return {node_kind_letter(image), QColor(0x8e, 0x24, 0xaa)};
        case NodeImage::Ltr:
            return {node_kind_letter(image), QColor(0xef, 0x6c, 0x00)};
        case NodeImage::P25:
            return {node_kind_letter(image), QColor(0xc6, 0x28, 0x28)};
        case NodeImage::P25OneFrequency:
            return {node_kind_letter(image), QColor(0xad, 0x14, 0x57)};
        case NodeImage::P25X2Tdma:
            return {node_kind_letter(image), QColor(0xb7, 0x1c, 0x1c)};
        case NodeImage::MotoTrbo:
            return {node_kind_letter(image), QColor(0x00, 0x83, 0x8f)};
        case NodeImage::DmrOneFrequency:
            return {node_kind_letter(image), QColor(0x00, 0x69, 0x5c)};
        case NodeImage::UnknownSystem:
            return {node_kind_letter(image), QColor(0x61, 0x61, 0x61)};
        case NodeImage::SitesFolder:
            return {node_kind_letter(image), QColor(0x79, 0x55, 0x48)};
        case NodeImage::Site:
            return {node_kind_letter(image), QColor(0x8d, 0x6e, 0x63)};
        case NodeImage::Group:
            return {node_kind_letter(image), QColor(0x42, 0x42, 0x42)};
        case NodeImage::UnitIds:
            return {node_kind_letter(image), QColor(0x45, 0x5a, 0x64)};
        case NodeImage::FavoritesList:
            return {node_kind_letter(image), QColor(0xf9, 0xa8, 0x25)};
    }
    return {node_kind_letter(image), Qt::gray};
}

}  // namespace

BrowserModel::BrowserModel(QObject* parent) : QAbstractItemModel(parent) {
    children_.resize(1);
}

void BrowserModel::set_tree(BrowserTree tree) {
    beginResetModel();
    tree_ = std::move(tree);
    const int n = static_cast<int>(tree_.nodes.size());
    parent_.assign(n, k_none);
    row_.assign(n, 0);
    children_.assign(n + 1, {});
    highlighted_.assign(n, false);
    by_key_.clear();
    by_key_.reserve(n * 2);
    for (int i = 0; i < n; ++i) {
        const BrowserNode& node = tree_.nodes[i];
        by_key_.emplace(node.key, i);
        int p = k_none;
        if (!node.parent_key.empty()) {
            auto it = by_key_.find(node.parent_key);
            if (it != by_key_.end()) p = it->second;
        }
        parent_[i] = p;
        auto& siblings = children_[p == k_none ? n : p];
        row_[i] = static_cast<int>(siblings.size());
        siblings.push_back(i);
    }
    endResetModel();
}

QModelIndex BrowserModel::index_of_key(const std::string& key) const {
    auto it = by_key_.find(key);
    if (it == by_key_.end()) return {};
    return createIndex(row_[it->second], 0, quintptr(it->second));
}

std::string BrowserModel::key_of(const QModelIndex& index) const {
    if (!index.isValid()) return {};
    return tree_.nodes[index.internalId()].key;
}

void BrowserModel::set_text(const std::string& key, const std::string& text) {
    auto it = by_key_.find(key);
    if (it == by_key_.end()) return;
    tree_.nodes[it->second].text = text;
    QModelIndex i = index_of_key(key);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void BrowserModel::set_highlighted(const std::vector<std::string>& keys) {
    // Only colours change; the views repaint every node, and no index moves.
    if (!tree_.nodes.empty()) emit layoutAboutToBeChanged();
    std::fill(highlighted_.begin(), highlighted_.end(), false);
    for (const auto& k : keys) {
        auto it = by_key_.find(k);
        if (it != by_key_.end()) highlighted_[it->second] = true;
    }
    if (!tree_.nodes.empty()) emit layoutChanged();
}

QModelIndex BrowserModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const int n = static_cast<int>(tree_.nodes.size());
    const auto& siblings = children_[parent.isValid() ? int(parent.internalId()) : n];
    if (row >= static_cast<int>(siblings.size())) return {};
    return createIndex(row, 0, quintptr(siblings[row]));
}

QModelIndex BrowserModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    int p = parent_[child.internalId()];
    if (p == k_none) return {};
    return createIndex(row_[p], 0, quintptr(p));
}

int BrowserModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const int n = static_cast<int>(tree_.nodes.size());
    return static_cast<int>(children_[parent.isValid() ? int(parent.internalId()) : n].size());
}

int BrowserModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant BrowserModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int i = static_cast<int>(index.internalId());
    const BrowserNode& node = tree_.nodes[i];
    switch (role) {
        case Qt::DisplayRole:
            return to_q(node.text);
        case Qt::ToolTipRole:
            // The legend of the badge letters: the node's kind in words.
            return to_q(node_tool_tip(node.text, node.image));
        case Qt::DecorationRole:
            return icon_for(node.image);
        case Qt::BackgroundRole:
            if (highlighted_[i]) return QBrush(QColor(0xff, 0xf1, 0x76));
            return {};
        case k_key_role:
            return to_q(node.key);
        default:
            return {};
    }
}

QIcon BrowserModel::icon_for(NodeImage image) const {
    auto it = icons_.find(static_cast<int>(image));
    if (it != icons_.end()) return it->second;
    Badge b = badge_for(image);
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(b.color);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, to_q(b.letter));
    p.end();
    QIcon icon(pm);
    icons_.emplace(static_cast<int>(image), icon);
    return icon;
}

}  // namespace tarvex
