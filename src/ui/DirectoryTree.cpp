#include "ui/DirectoryTree.h"

#include <optional>
#include <vector>

#include <QByteArray>
#include <QFont>

#include "settings/Drives.h"
#include "settings/PathText.h"

namespace dazi::ui {

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kListedRole = Qt::UserRole + 2;

QString Shown(const std::string& path) {
  return QString::fromStdString(ShownPath(path));
}

QStandardItem* FolderItem(const std::string& path, const std::string& name) {
  auto* item = new QStandardItem(Shown(name));
  item->setData(QByteArray::fromStdString(path), kPathRole);
  item->setToolTip(Shown(path));
  item->setEditable(false);
  return item;
}

std::string Joined(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

}  // namespace

DirectoryTree::DirectoryTree(QObject* parent) : QStandardItemModel(parent) {}

void DirectoryTree::SetDrive(const std::string& drive) {
  clear();
  QStandardItem* top = FolderItem(drive, drive);
  appendRow(top);
  List(top);
}

QModelIndex DirectoryTree::Reveal(const std::string& path) {
  QStandardItem* folder = item(0);
  if (folder == nullptr) return {};
  const std::string drive = PathOf(folder->index());
  if (path == drive) return folder->index();
  const std::string prefix = drive.ends_with('/') ? drive : drive + "/";
  if (!path.starts_with(prefix)) return {};

  std::size_t from = prefix.size();
  while (from < path.size()) {
    std::size_t to = path.find('/', from);
    if (to == std::string::npos) to = path.size();
    if (to > from) {
      List(folder);
      const std::string wanted = Joined(PathOf(folder->index()), path.substr(from, to - from));
      QStandardItem* next = nullptr;
      for (int row = 0; row < folder->rowCount() && !next; ++row) {
        if (PathOf(folder->child(row)->index()) == wanted) next = folder->child(row);
      }
      if (!next) return {};
      folder = next;
    }
    from = to + 1;
  }
  return folder->index();
}

std::string DirectoryTree::PathOf(const QModelIndex& index) const {
  return index.data(kPathRole).toByteArray().toStdString();
}

bool DirectoryTree::hasChildren(const QModelIndex& parent) const {
  if (parent.isValid() && !parent.data(kListedRole).toBool()) return true;
  return QStandardItemModel::hasChildren(parent);
}

bool DirectoryTree::canFetchMore(const QModelIndex& parent) const {
  return parent.isValid() && !parent.data(kListedRole).toBool();
}

void DirectoryTree::fetchMore(const QModelIndex& parent) {
  if (QStandardItem* folder = itemFromIndex(parent)) List(folder);
}

void DirectoryTree::List(QStandardItem* folder) {
  if (folder->data(kListedRole).toBool()) return;
  // Listed once, answered or not: a view lays out open folders again and again, and must not
  // wait on a dead share each time. Choosing the drive again lists afresh.
  folder->setData(true, kListedRole);
  const std::string path = PathOf(folder->index());
  const std::optional<std::vector<std::string>> names = SubdirectoryNames(path);
  if (!names) {
    QFont font = folder->font();
    font.setItalic(true);
    folder->setFont(font);
    folder->setToolTip(Shown(path) + QStringLiteral(" does not answer"));
    return;
  }
  QList<QStandardItem*> rows;
  rows.reserve(static_cast<qsizetype>(names->size()));
  for (const std::string& name : *names) rows.append(FolderItem(Joined(path, name), name));
  if (!rows.isEmpty()) folder->appendRows(rows);
}

}  // namespace dazi::ui
