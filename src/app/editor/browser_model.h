#pragma once
// The browser tree as a Qt item model over the core's BrowserTree. Rebuilding a 30000-node
// store is one model reset, with no item objects per node.
#include <QAbstractItemModel>
#include <QIcon>
#include <QSet>
#include <QString>
#include <unordered_map>
#include <vector>

#include "core/model/browser_tree.h"

namespace tarvex {

class BrowserModel : public QAbstractItemModel {
    Q_OBJECT
  public:
    static constexpr int k_key_role = Qt::UserRole + 1;

    explicit BrowserModel(QObject* parent = nullptr);

    void set_tree(BrowserTree tree);
    const BrowserTree& tree() const { return tree_; }
    // The model index of a store or folder key (invalid when not shown).
    QModelIndex index_of_key(const std::string& key) const;
    std::string key_of(const QModelIndex& index) const;
    // Renames one node in place (the system editor's name follows typing).
    void set_text(const std::string& key, const std::string& text);
    // Marks nodes (the highlight menus); an empty list clears the marks.
    void set_highlighted(const std::vector<std::string>& keys);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    static constexpr int k_none = -1;
    QIcon icon_for(NodeImage image) const;

    BrowserTree tree_;
    std::vector<int> parent_;                 // node -> parent node (k_none at top level)
    std::vector<int> row_;                    // node -> row among its siblings
    std::vector<std::vector<int>> children_;  // node -> children; last entry is the top level
    std::unordered_map<std::string, int> by_key_;
    std::vector<bool> highlighted_;
    mutable std::unordered_map<int, QIcon> icons_;
};

}  // namespace tarvex
