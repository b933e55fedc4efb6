// Workers calling the toolkit: carried to the UI thread, message boxes block
// the worker, and a UI thread waiting for a worker keeps delivering.
#include "platform/com/Sync.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/UiThread.h"

#include "tests/platform/ui/SampleDialog.h"
#include "tests/platform/ui/ToolkitProbe.h"

#ifndef _WIN32
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#endif
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(UiThread, AWorkersControlChangeRunsOnTheUiThread)
{
    SampleDialog dialog;
    std::atomic<bool> finished{false};
    bool changedOnUiThread = false;
    std::wstring readBack;
    std::thread worker;
    dialog.afterInit = [&] {
        dialog.MapCommand(IDC_SAMPLE_STATUS, EN_CHANGE, [&] { changedOnUiThread = IsUiThread(); });
        worker = std::thread([&] {
            dialog.SetDlgItemText(IDC_SAMPLE_STATUS, L"Recording... 37%");
            readBack = dialog.GetDlgItem(IDC_SAMPLE_STATUS)->GetWindowText();
            dialog.m_progress.SetPos(37);
            finished = true;
        });
        RunLater([&] {
            EXPECT_TRUE(WaitDelivering([&] { return finished.load(); }, 10000));
            dialog.EndDialog(IDOK);
        });
    };
    dialog.DoModal();
    worker.join();
    EXPECT_TRUE(changedOnUiThread);
    EXPECT_EQ(L"Recording... 37%", readBack);
}

// On Windows a worker's box is the system's, raised on the worker's own thread.
#ifndef _WIN32
TEST(UiThread, AWorkersMessageBoxWaitsUntilDismissed)
{
    Transcript::BeginCapture();
    std::atomic<int> answer{0};
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        answer = AfxMessageBox(L"Get KSPROPERTY_BDA_GET_MEDIAINFO error");
        finished = true;
    });
    // Answer the box once it is up, as a user would; until then the worker waits.
    bool sawWorkerWaiting = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            sawWorkerWaiting = !finished;
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    closer.start(10);
    EXPECT_TRUE(WaitDelivering([&] { return finished.load(); }, 10000));
    closer.stop();
    worker.join();
    EXPECT_TRUE(sawWorkerWaiting);
    EXPECT_EQ(IDOK, answer.load());
    EXPECT_NE(std::string::npos,
              Transcript::TakeCapture().find("exclamation \"Get KSPROPERTY_BDA_GET_MEDIAINFO error\""));
}
#endif

TEST(UiThread, TakingALockAWaitingWorkerHoldsDoesNotDeadlock)
{
    // The monitor's shutdown: the worker holds its run lock while it waits
    // for the UI thread; the UI thread takes the lock to know it has ended.
    SampleDialog dialog;
    HANDLE runLock = CreateMutex(nullptr, FALSE, nullptr);
    std::atomic<bool> holding{false};
    DWORD taken = WAIT_FAILED;
    std::thread worker;
    dialog.afterInit = [&] {
        worker = std::thread([&] {
            WaitForSingleObject(runLock, INFINITE);
            holding = true;
            for (int i = 0; i < 20; ++i) dialog.SetDlgItemText(IDC_SAMPLE_STATUS, std::to_wstring(i).c_str());
            ReleaseMutex(runLock);
        });
        RunLater([&] {
            WaitDelivering([&] { return holding.load(); }, 10000);
            taken = WaitForSingleObjectDelivering(runLock, 10000);
            dialog.EndDialog(IDOK);
        });
    };
    dialog.DoModal();
    worker.join();
    EXPECT_EQ(WAIT_OBJECT_0, taken);
    ReleaseMutex(runLock);
    CloseHandle(runLock);
}

TEST(UiThread, WaitingWithoutTheConditionTimesOut)
{
    EXPECT_FALSE(WaitDelivering([] { return false; }, 20));
    EXPECT_TRUE(WaitDelivering([] { return true; }, 0));
    EXPECT_TRUE(IsUiThread());
    bool onWorker = true;
    std::thread([&] { onWorker = IsUiThread(); }).join();
    EXPECT_FALSE(onWorker);
}

} // namespace
