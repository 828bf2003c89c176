#include "python/InUse.h"

#include <map>
#include <mutex>

#include <pybind11/pybind11.h>

namespace tw::python {

namespace {

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

// How many threads use each drawing; -1 for a save.
std::map<const TJwwData*, int>& Users() {
    static std::map<const TJwwData*, int> users;
    return users;
}

// Called with the GIL held, as every caller is.
[[noreturn]] void Busy() {
    PyErr_SetString(PyExc_RuntimeError,
                    "the drawing is in use by another thread (saving, exporting or rendering it)");
    throw pybind11::error_already_set();
}

}  // namespace

InUse::InUse(const TJwwData& doc, bool exclusive) : doc_(doc) {
    std::lock_guard<std::mutex> held(Lock());
    int& users = Users()[&doc];
    if (users < 0 || (exclusive && users > 0)) {
        if (users == 0) Users().erase(&doc);
        Busy();
    }
    users = exclusive ? -1 : users + 1;
}

InUse::~InUse() {
    std::lock_guard<std::mutex> held(Lock());
    int& users = Users()[&doc_];
    if (users <= 1) {
        Users().erase(&doc_);
    } else {
        --users;
    }
}

void RefuseChangeWhileInUse(const TJwwData& doc) {
    std::lock_guard<std::mutex> held(Lock());
    if (Users().count(&doc) != 0) Busy();
}

}  // namespace tw::python
