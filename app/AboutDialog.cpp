#include "app/AboutDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vantry::app {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About Vantry"));
  auto* icon = new QLabel(this);
  icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
  icon->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(tr("<h2>Vantry %1</h2>").arg(QApplication::applicationVersion()), this);
  auto* text = new QLabel(tr("An explorer for the local cache of web pages: lists every cached page, "
                             "image, cookie and history record, shows them offline, copies pages and "
                             "whole sites to folders with working links, and reports what the cache holds."
                             "<p>Acknowledgements: built with Qt, Qt WebEngine and SQLite.</p>"),
                          this);
  text->setWordWrap(true);
  auto* mail = new QLabel(QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(QLatin1String(kContactAddress)), this);
  mail->setObjectName(QStringLiteral("MailLink"));
  mail->setOpenExternalLinks(true);
  mail->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  mail->setAccessibleName(tr("Mail to the author"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* words = new QVBoxLayout;
  words->addWidget(title);
  words->addWidget(text);
  words->addWidget(mail);
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addLayout(words, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  setMinimumWidth(420);
}

}  // namespace vantry::app
