// What the program is building at the moment, for the message when memory runs out:
// "out of memory while building the report page" rather than a bare std::bad_alloc.
#pragma once

#include <exception>

namespace vesselhost {

class Building {
public:
    explicit Building(const char *what) : saved_(current_), exceptions_(std::uncaught_exceptions())
    {
        current_ = what;
        failed_ = nullptr;
    }
    // Left by an exception, the innermost one keeps its name for the handler.
    ~Building()
    {
        if (std::uncaught_exceptions() > exceptions_ && !failed_)
            failed_ = current_;
        current_ = saved_;
    }
    Building(const Building &) = delete;
    Building &operator=(const Building &) = delete;

    // What was being built when the last exception left, else now, else "the run".
    static const char *What() { return failed_ ? failed_ : current_ ? current_ : "the run"; }

private:
    const char *saved_;
    int exceptions_;
    static inline const char *current_ = nullptr;
    static inline const char *failed_ = nullptr;
};

} // namespace vesselhost
