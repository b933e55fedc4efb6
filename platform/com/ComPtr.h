#pragma once
// A counted reference to a COM interface: AddRef on copy, Release on reset or
// destruction. Holds at most one reference.
#include "platform/com/Unknown.h"

#include <cassert>
#include <memory>
#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to p.
    explicit ComPtr(T* p) : m_p(p)
    {
        if (m_p) m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { Release(); }

    ComPtr& operator=(const ComPtr& other)
    {
        if (this != std::addressof(other)) {
            ComPtr copy(other);
            Swap(copy);
        }
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != std::addressof(other)) {
            Release();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    ComPtr& operator=(std::nullptr_t)
    {
        Release();
        return *this;
    }

    // Takes over a reference the caller already owns.
    void Attach(T* p)
    {
        Release();
        m_p = p;
    }
    // Hands the reference to the caller.
    [[nodiscard]] T* Detach() { return std::exchange(m_p, nullptr); }

    void Release()
    {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }

    T* Get() const { return m_p; }
    T* operator->() const
    {
        assert(m_p);
        return m_p;
    }
    explicit operator bool() const { return m_p != nullptr; }
    // Out-parameter use: the pointer must be empty.
    T** operator&()
    {
        assert(!m_p);
        return &m_p;
    }
    // Out-parameter use that drops the current reference first.
    T** ReleaseAndGetAddressOf()
    {
        Release();
        return &m_p;
    }

    template <class U>
    HRESULT QueryInterface(ComPtr<U>& out) const
    {
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(uuidof<U>(), reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()));
    }

    void Swap(ComPtr& other) noexcept { std::swap(m_p, other.m_p); }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.m_p == b.m_p; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.m_p == nullptr; }

private:
    T* m_p = nullptr;
};
