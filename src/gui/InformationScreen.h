#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QtGlobal>

namespace duvanet::gui {
class BrowserLauncher;
}
class QLabel;
class QPushButton;

/// The information screen: program, version, purpose, donations and how to cite the program,
/// with a copy of the citation to the clipboard. Modal; destroys itself when it is closed.
class TfrmSplashScreen : public QDialog {
  Q_OBJECT

 public:
  TfrmSplashScreen(QWidget* owner, duvanet::gui::BrowserLauncher& browser);

  /// The program's version as four numbers, from the project version the build was made with.
  static QString GetVersionString();
  /// Four numbers from the two 32-bit version words: high and low half of each, joined by ".".
  static QString VersionString(quint32 mostSignificant, quint32 leastSignificant);
  /// The citation line shown in lbReference.
  static QString Citation();
  /// The web page that Button2 opens.
  static QString HomePage();
  /// The background: a dot plot of two related sequences drawn by the program itself, dark
  /// enough for white text.
  static QImage BackgroundPicture(const QSize& size);

 public slots:
  void btRef2ClipboardClick();
  void Button1Click();
  void Button2Click();

 private:
  duvanet::gui::BrowserLauncher& m_browser;

  // The controls; the comments give the object names the tests find them by.
  QLabel* m_background = nullptr;                // Image1
  QLabel* m_titleLabel = nullptr;                // Label1
  QLabel* m_authorLabel = nullptr;               // lbAuthor
  QLabel* m_versionLabel = nullptr;              // lbVersion
  QLabel* m_purposeLabel = nullptr;              // Label5
  QLabel* m_warningLabel = nullptr;              // Label4
  QLabel* m_noteLabel = nullptr;                 // Label6
  QLabel* m_donorGroupsLabel = nullptr;          // Label2
  QLabel* m_donationRuleLabel = nullptr;         // Label8
  QLabel* m_donationAmountsLabel = nullptr;      // Label9
  QLabel* m_donationLabel = nullptr;             // Label3
  QLabel* m_howToDonateLabel = nullptr;          // Label10
  QLabel* m_citationIntroLabel = nullptr;        // Label7
  QLabel* m_referenceLabel = nullptr;            // lbReference
  QPushButton* m_copyReferenceButton = nullptr;  // btRef2Clipboard
  QPushButton* m_okButton = nullptr;             // Button1 "OK"
  QPushButton* m_homePageButton = nullptr;       // Button2, visits the home page
};
