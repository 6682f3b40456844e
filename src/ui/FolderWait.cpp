// The box shown while a folder's lock is held by another run.
#include "ui/FolderWait.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include "common/TalpoError.h"
#include "paper/QtText.h"
#include "ui/MessageBox.h"

namespace talpo {

FolderLock::Waiting WaitingBox(QWidget* owner, int pollMs) {
    return [owner, pollMs](const std::string& folder, const std::function<bool()>& tryAgain) {
        const QString text = U("次のフォルダを他の処理が使っています。\n%1\n終わるのを待っています…")
                                 .arg(QFile::decodeName(QByteArray::fromStdString(folder)));
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(
            owner, QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::Cancel);
        box->setObjectName("FolderWaitBox");
        QEventLoop loop;
        bool taken = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            taken = tryAgain();
            if (taken) loop.quit();
        });
        QObject::connect(box.get(), &QMessageBox::finished, &loop, &QEventLoop::quit);
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
        poll.start(pollMs);
        loop.exec();
        poll.stop();
        if (!taken) throw CancelledError();
        return true;
    };
}

}  // namespace talpo
