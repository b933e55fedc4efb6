#pragma once
// What the application asks of the filter graph manager: IGraphBuilder
// (building, with intelligent connect) and IMediaControl (run and stop), with
// the Windows SDK's method order and signatures, and the class identifiers of
// the graph manager and of the standard components the application creates.
#include "platform/com/OleAuto.h"
#include "platform/com/Unknown.h"
#include "platform/dshow/DShowTypes.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/GraphInterfaces.h"

#ifdef _WIN32
#include <dshow.h>
#else

// A filter state as automation passes it (the FILTER_STATE values).
using OAFilterState = LONG;

inline constexpr HRESULT VFW_S_DUPLICATE_NAME = MakeHresult(0x0004022Du);
inline constexpr HRESULT VFW_E_NOT_IN_GRAPH = MakeHresult(0x8004025Fu);
inline constexpr HRESULT VFW_E_CIRCULAR_GRAPH = MakeHresult(0x80040256u);

struct IGraphBuilder : IFilterGraph {
    // Connects two pins, inserting filters of the graph between them when
    // they do not connect directly.
    virtual HRESULT STDMETHODCALLTYPE Connect(IPin* ppinOut, IPin* ppinIn) = 0;
    virtual HRESULT STDMETHODCALLTYPE Render(IPin* ppinOut) = 0;
    virtual HRESULT STDMETHODCALLTYPE RenderFile(LPCWSTR lpcwstrFile, LPCWSTR lpcwstrPlayList) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddSourceFilter(LPCWSTR lpcwstrFileName, LPCWSTR lpcwstrFilterName,
                                                      IBaseFilter** ppFilter) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetLogFile(DWORD_PTR hFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE Abort() = 0;
    virtual HRESULT STDMETHODCALLTYPE ShouldOperationContinue() = 0;

protected:
    ~IGraphBuilder() = default;
};
KAVRO_DECLARE_IID(IGraphBuilder, "{56A868A9-0AD4-11CE-B03A-0020AF0BA770}");

struct IMediaControl : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Run() = 0;
    virtual HRESULT STDMETHODCALLTYPE Pause() = 0;
    // Returns when every filter has stopped and no streaming thread is
    // inside a filter any more.
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetState(LONG msTimeout, OAFilterState* pfs) = 0;
    virtual HRESULT STDMETHODCALLTYPE RenderFile(BSTR strFilename) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddSourceFilter(BSTR strFilename, IDispatch** ppUnk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FilterCollection(IDispatch** ppUnk) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RegFilterCollection(IDispatch** ppUnk) = 0;
    virtual HRESULT STDMETHODCALLTYPE StopWhenReady() = 0;

protected:
    ~IMediaControl() = default;
};
KAVRO_DECLARE_IID(IMediaControl, "{56A868B1-0AD4-11CE-B03A-0020AF0BA770}");

inline constexpr CLSID CLSID_FilterGraph = GuidLiteral("{E436EBB3-524F-11CE-9F53-0020AF0BA770}");
inline constexpr CLSID CLSID_SystemClock = GuidLiteral("{E436EBB1-524F-11CE-9F53-0020AF0BA770}");
inline constexpr CLSID CLSID_MPEG2Demultiplexer = GuidLiteral("{AFB6C280-2C41-11D3-8A60-0000F81E0E4A}");
inline constexpr CLSID CLSID_InfTee = GuidLiteral("{F8388A40-D5BB-11D0-BE5A-0080C706568E}");
#endif
