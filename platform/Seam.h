// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

// One replaceable platform service. The program's entry installs the real
// implementation at start-up; a test installs a fake that answers and records.
// Only the user-interface thread touches the installed instance.
template <class Service>
class Seam
{
public:
    static Service &get()
    {
        if (!current)
            throw std::logic_error("platform service used before it was installed");
        return *current;
    }
    static bool installed() { return current != nullptr; }
    // Returns the instance it replaces, so a caller can put it back.
    static Service *install(Service *service)
    {
        Service *previous = current;
        current = service;
        return previous;
    }

private:
    inline static Service *current = nullptr;
};

// Installs a service for the lifetime of a scope and puts the previous one back.
template <class Service>
class ScopedSeam
{
public:
    explicit ScopedSeam(Service *service) : previous(Seam<Service>::install(service)) {}
    ~ScopedSeam() { Seam<Service>::install(previous); }
    ScopedSeam(const ScopedSeam &) = delete;
    ScopedSeam &operator=(const ScopedSeam &) = delete;

private:
    Service *previous;
};
