#pragma once
// A media control that only counts Run and Stop and remembers, at each Stop,
// whether the recording file was still open (a graph stop must come before
// the file's close). Reference counted; one reference at creation.
#include "platform/dshow/GraphBuilderInterfaces.h"
#include "sink/RecordSession.h"
#include "tests/support/TestComObject.h"

class FakeMediaControl final : public HeapTestComObject<IMediaControl> {
public:
    explicit FakeMediaControl(const RecordSession* session = nullptr) : HeapTestComObject(1), m_session(session) {}

    int runs = 0;
    int stops = 0;
    bool fileOpenAtStop = false;

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Run() override
    {
        ++runs;
        return S_OK;
    }
    STDMETHODIMP Pause() override { return E_NOTIMPL; }
    STDMETHODIMP Stop() override
    {
        ++stops;
        fileOpenAtStop = m_session && m_session->outputFile.IsOpen();
        return S_OK;
    }
    STDMETHODIMP GetState(LONG, OAFilterState*) override { return E_NOTIMPL; }
    STDMETHODIMP RenderFile(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP AddSourceFilter(BSTR, IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP get_FilterCollection(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP get_RegFilterCollection(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP StopWhenReady() override { return E_NOTIMPL; }

private:
    void* FindInterface(REFIID riid) override
    {
        if (riid == IID_IDispatch) return static_cast<IMediaControl*>(this);
        return HeapTestComObject::FindInterface(riid);
    }

    const RecordSession* m_session;
};
