#include "link/serial_link_win.h"

#include <cstring>

#include "base/message_text.h"
#include "link/line_settings.h"
#include "link/pen_port_win.h"
#include "link/port_names.h"
#include "res/resource_ids.h"

namespace qx {
namespace {

// The one receive buffer of the process; only the receive thread writes it,
// and the window copies a batch before its WM_PENDATA handler returns.
char g_receiveBuffer[kReceiveBufferBytes];

// Characters of a system error text that fit the receive buffer.
constexpr DWORD kErrorTextChars = 4096;

// How often a stopping link renews its release of the thread's wait, when it
// closes the port to end a wait that the cleared mask did not release (Wine
// releases a pending WaitCommEvent only when the handle closes), and when it
// gives up on a thread that will not end (one that sits in its read-error box).
constexpr DWORD kStopPollMs = 20;
constexpr DWORD kStopForceCloseMs = 100;
constexpr DWORD kStopGiveUpMs = 10000;

}  // namespace

CCommRecvThread::CCommRecvThread(HWND owner, HANDLE port, const StringTablePort& strings,
                                 MessageBoxPort& boxes)
    : owner_(owner), port_(port), strings_(strings), boxes_(boxes) {}

bool CCommRecvThread::Start() {
    DWORD id = 0;
    thread_.Reset(::CreateThread(nullptr, 0, &CCommRecvThread::ThreadMain, this,
                                 CREATE_SUSPENDED, &id));
    if (!thread_.Valid()) return false;
    ::ResumeThread(thread_.Get());
    return true;
}

DWORD WINAPI CCommRecvThread::ThreadMain(LPVOID self) {
    static_cast<CCommRecvThread*>(self)->ReceiveLoop();
    return 0;
}

void CCommRecvThread::ReceiveLoop() {
    ::SetCommMask(port_, EV_RXCHAR);
    while (!stopping_.load(std::memory_order_relaxed)) {
        std::memset(g_receiveBuffer, 0, sizeof(g_receiveBuffer));
        DWORD events = 0;
        if (!::WaitCommEvent(port_, &events, nullptr)) break;
        // A stopping link may close the port once the wait has returned.
        if (stopping_.load(std::memory_order_relaxed)) break;
        DWORD errors = 0;
        COMSTAT status{};
        // Clears line errors too: with fAbortOnError the port refuses reads
        // until this has been called.
        ::ClearCommError(port_, &errors, &status);
        if ((events & EV_RXCHAR) == 0) continue;
        DWORD count = status.cbInQue < kMaxBatchBytes ? status.cbInQue : kMaxBatchBytes;
        if (count == 0) continue;
        DWORD got = 0;
        if (!::ReadFile(port_, g_receiveBuffer, count, &got, nullptr)) {
            // A read that failed because the link is stopping is no fault to report.
            if (stopping_.load(std::memory_order_relaxed)) break;
            ReportReadError(::GetLastError());
            continue;
        }
        if (got > 0 && delivery_.load(std::memory_order_relaxed) == 1 &&
            !stopping_.load(std::memory_order_relaxed)) {
            ::SendMessageW(owner_, WM_PENDATA, got, reinterpret_cast<LPARAM>(g_receiveBuffer));
        }
    }
    if (stopping_.load(std::memory_order_relaxed)) return;
    // The port failed under the loop: a stopping link closes the port itself,
    // the purge is for this case only.
    if (UniqueHandle::IsValid(port_)) ::PurgeComm(port_, PURGE_RXCLEAR);
    ::PostMessageW(owner_, WM_PENLINKENDED, 0, 0);
}

void CCommRecvThread::ReportReadError(DWORD error) {
    wchar_t detail[kErrorTextChars] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     detail, kErrorTextChars, nullptr);
    const std::wstring text = InsertArgs(strings_.LoadText(IDS_RECEIVE_FAILED), {detail});
    boxes_.ShowMessage(text, kMbIconHand | kMbSystemModal);
}

SerialLink::SerialLink(const StringTablePort& strings, MessageBoxPort& boxes)
    : strings_(strings), boxes_(boxes) {}

SerialLink::~SerialLink() { Stop(); }

bool SerialLink::Start(HWND owner, const std::string& deviceName, unsigned sleepMs) {
    owner_ = owner;
    devicePath_ = PortDevicePath(deviceName);
    ::Sleep(sleepMs);
    port_ = OpenPenPort(devicePath_);
    return StartThread() && port_.Valid();
}

bool SerialLink::Reopen() {
    Stop();
    if (inStop_) return false;
    port_ = OpenPenPort(devicePath_);
    if (!port_.Valid()) return false;
    if (StartThread()) return true;
    port_.Reset();
    return false;
}

bool SerialLink::StartThread() {
    auto thread = std::make_unique<CCommRecvThread>(owner_, port_.Get(), strings_, boxes_);
    thread->SetDelivery(delivery_);
    if (!thread->Start()) return false;
    thread_ = std::move(thread);
    stopping_ = false;
    return true;
}

void SerialLink::Stop() {
    if (inStop_) return;
    if (!thread_) {
        port_.Reset();
        return;
    }
    inStop_ = true;
    stopping_ = true;
    thread_->RequestStop();
    ::SetThreadPriority(thread_->Thread(), THREAD_PRIORITY_ABOVE_NORMAL);
    if (port_.Valid()) ::SetCommMask(port_.Get(), 0);

    // The thread may be blocked in its WM_PENDATA send to this very thread:
    // keep serving sent messages (the window ignores them now) until it ends.
    const DWORD started = ::GetTickCount();
    bool ended = false;
    for (;;) {
        HANDLE thread = thread_->Thread();
        const DWORD wait =
            ::MsgWaitForMultipleObjects(1, &thread, FALSE, kStopPollMs, QS_SENDMESSAGE);
        if (wait == WAIT_OBJECT_0) {
            ended = true;
            break;
        }
        if (wait == WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        const DWORD elapsed = ::GetTickCount() - started;
        if (elapsed >= kStopGiveUpMs) break;
        if (port_.Valid()) {
            // A wait that began just after the mask was cleared is released
            // by clearing it again; as a last resort closing the port ends it.
            ::SetCommMask(port_.Get(), 0);
            if (elapsed >= kStopForceCloseMs) port_.Reset();
        }
    }

    if (port_.Valid()) ::SetCommMask(port_.Get(), 0);
    port_.Reset();
    if (ended) {
        thread_.reset();
    } else {
        // Still inside its read-error box: the thread keeps using its object,
        // so it is left to the process's end rather than freed under it.
        (void)thread_.release();
    }
    inStop_ = false;
}

bool SerialLink::ThreadRunning() const {
    return thread_ && ::WaitForSingleObject(thread_->Thread(), 0) == WAIT_TIMEOUT;
}

void SerialLink::SetDelivery(int on) {
    delivery_ = on;
    if (thread_) thread_->SetDelivery(on);
}

}  // namespace qx
