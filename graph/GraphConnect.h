#pragma once
// Adding filters to the tuner's graph and connecting them pin to pin through
// the graph's intelligent connect. User-interface thread. None of these
// functions keeps a reference to its arguments.
#include "graph/GraphMessageBox.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/GraphBuilderInterfaces.h"

// The graph's AddFilter with no filter name. A failure is written to the
// diagnostic log as "FAILED: Cannot add the filter to the graph" and returned;
// E_POINTER without a graph.
HRESULT AddToGraph(IGraphBuilder* graph, IBaseFilter* filter);

// Connects the first free output pin of upstream that will connect to a free
// input pin of downstream, trying every pair in pin order. S_OK when a
// connection was made; E_FAIL when no pair connects; the failure of a pin
// enumeration or of an upstream pin's information (each written to the
// diagnostic log); E_POINTER for a missing graph or filter.
HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* upstream, IBaseFilter* downstream);

// Connects the first free output pin of from (named outputPin when given) to
// the first free input pin of to (named inputPin when given). Reports every
// failure itself: a missing graph or filter with an error box, no pin or a
// connection other than S_OK with the application's warning box.
void ConnectPins(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to, LPCWSTR outputPin = nullptr,
                 LPCWSTR inputPin = nullptr);
