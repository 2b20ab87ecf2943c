// TFormHistory: "History of games". The list at the left names the valid
// history files ("File I0001 " and the file's date); the grid shows the
// games of the chosen file, one row a game, in the colour of its kind
// (local games in the window's text colour, network games green, rated
// games red, tournament games blue). The chosen file stays chosen while the
// program runs. The window grows with the table and is never larger than the
// main window. Escape or "Ok" closes the window.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>

#include "dialog_look.h"
#include "history_file.h"
#include "settings.h"

class QLabel;
class QListWidget;
class QTableWidget;

class QPushButton;

namespace varnok {


class TFormHistory : public QDialog {
  Q_OBJECT

 public:
  // programFolder: the folder that holds "History"; clubFile: the club file
  // in use ("Varnok.clb"), whose name names the history files.
  TFormHistory(const QString& programFolder, const QString& clubFile, const Settings& look,
               QWidget* parent = nullptr);

  // Plays "WOpenFo" and shows the window modally. A game whose record was
  // kept is opened with `open_record` once the window has closed.
  static void Open(QWidget* parent, const QString& programFolder, const QString& clubFile, const Settings& look,
                   SoundHook sound, std::function<void(const QString&)> open_record = {});

  QListWidget* FileList() const { return list_; }  // object name "FileList"
  QTableWidget* Grid() const { return grid_; }      // object name "Grid"
  QPushButton* OkButton() const { return ok_; }  // object name "Ok"
  // Names the files that could not be read (object name "Unreadable"); hidden when all could.
  QLabel* UnreadableLabel() const { return unreadable_; }
  // The number of the file shown (0 when there is none).
  int ShownFile() const { return shown_; }
  // The window's scale: its size over its design size.
  double Scale() const { return scale_; }
  // Shows file n of the list.
  void ShowFile(int n);
  // The kept record of the game in grid row `row` ("" when there is none).
  QString RecordOfRow(int row) const;
  // "Open game record" (object name "OpenRecord"), and a double click on a
  // row with a record: the record chosen, and the window closes.
  QPushButton* OpenRecordButton() const { return open_record_; }
  QString ChosenRecord() const { return chosen_record_; }

  // The file chosen in this run (0 before the first opening); tests start afresh with 0.
  static int ChosenFile();
  static void SetChosenFile(int n);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FillGrid(const std::vector<HistoryRow>& rows);
  void MarkRecords(const std::vector<std::string>& lines);
  void ChooseRecord(int row);

  std::filesystem::path folder_;
  std::string club_file_;
  HistoryListView files_;
  QListWidget* list_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* unreadable_ = nullptr;
  QPushButton* open_record_ = nullptr;
  QString chosen_record_;
  int shown_ = 0;
  double scale_ = 1.0;
};

}  // namespace varnok
