// The setup dialog's directory list: one drive and the folders under it, read a level at a time
// as the operator opens them. Every listing goes through the share probe, so a share that does
// not answer shows as a folder with nothing in it instead of stalling the dialog (the toolkit's
// own file-system model stats on the window's thread and waits for its reader thread when it
// goes). Folder names keep the file system's bytes: every folder can be chosen exactly, hidden
// ones and those whose names are not UTF-8 included.
#pragma once

#include <string>

#include <QStandardItemModel>

namespace dazi::ui {

class DirectoryTree : public QStandardItemModel {
 public:
  explicit DirectoryTree(QObject* parent = nullptr);

  // Shows the drive as the one top item, with its folders listed.
  void SetDrive(const std::string& drive);
  // The item of the folder, listing the folders on the way down to it; invalid when the folder
  // is not under the drive or is not found.
  QModelIndex Reveal(const std::string& path);
  // The folder's path; empty for an invalid index.
  std::string PathOf(const QModelIndex& index) const;

  // A folder not yet listed may hold folders; listing it is what tells.
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  // Fills the item with its folders, once.
  void List(QStandardItem* folder);
};

}  // namespace dazi::ui
