#include "ui/dialog_prompter.h"

#include "printing/qt_text.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace velmora {

Answer DialogPrompter::ask(std::string_view message) {
    bool accepted = false;
    const QString text = QInputDialog::getText(window_, QString(), toQString(message),
                                               QLineEdit::Normal, QString(), &accepted);
    if (!accepted)
        return Answer{{}, true};
    return Answer{text.toStdString(), false};
}

bool DialogPrompter::offerRetry(std::string_view reason) {
    QMessageBox box(QMessageBox::Warning, QString(), toQString(reason), QMessageBox::NoButton,
                    window_);
    QPushButton* again = box.addButton(QStringLiteral("重新输入"), QMessageBox::AcceptRole);
    QPushButton* abandon = box.addButton(QStringLiteral("放弃计算"), QMessageBox::RejectRole);
    box.setDefaultButton(again);
    box.setEscapeButton(abandon);
    box.exec();
    return box.clickedButton() == again;
}

} // namespace velmora
