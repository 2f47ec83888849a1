#pragma once
// Runs a body on a thread of its own in strict alternation with its owner:
// exactly one of the two runs at any time, so the body uses the owner's
// objects as if it were called directly. The body hands control back with
// Ceder (from anywhere down its stack) and the owner gives it back with
// Reprendre. This lets a test stop the play loop in the middle of a wait,
// look at the engine, script more input, and go on.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace korv::testsupport {

class FilAlterne {
public:
    // Thrown by Ceder in a body being abandoned. Not a std::exception, so
    // that error boundaries of the body do not take it for an error.
    struct Abandon {};

    explicit FilAlterne(std::function<void()> corps) : corps_(std::move(corps)) {}
    // A body still paused is abandoned: its Ceder throws Abandon, which
    // unwinds it to its end.
    ~FilAlterne();
    FilAlterne(const FilAlterne&) = delete;
    FilAlterne& operator=(const FilAlterne&) = delete;

    // Owner side: starts or resumes the body; returns once it yields or
    // ends, rethrowing what escaped it. Does nothing once it has ended.
    void Reprendre();
    bool Demarre() const { return fil_.joinable(); }
    bool Termine() const;

    // Body side: gives control to the owner until the next Reprendre.
    void Ceder();

private:
    void Executer();
    void PasserLeTour();

    std::function<void()> corps_;
    std::thread fil_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool tourDuCorps_ = false;
    bool termine_ = false;
    bool abandon_ = false;
    std::exception_ptr erreur_;
};

}  // namespace korv::testsupport
