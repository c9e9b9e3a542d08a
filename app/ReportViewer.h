#pragma once
// The automation object other programs of the suite can name. The viewer carries its type
// library (resource "TYPELIB/1") but serves nothing: no class object is ever registered.
#include <QString>

inline constexpr const char *kTypeLibraryName = "Vistrel";
inline constexpr const char *kLibraryGuid = "{5B23A2B1-C831-11D3-BE85-00104B31728D}";
inline constexpr const char *kIReportViewerGuid = "{5B23A2B2-C831-11D3-BE85-00104B31728D}";
inline constexpr const char *kIReportViewerEventsGuid = "{5B23A2B4-C831-11D3-BE85-00104B31728D}";
inline constexpr const char *kReportViewerClassGuid = "{5B23A2B6-C831-11D3-BE85-00104B31728D}";

class IReportViewerEvents
{
public:
    virtual ~IReportViewerEvents() = default;
};

class TReportViewer
{
public:
    // The connected event sink, or none.
    IReportViewerEvents *EventSink() const { return m_eventSink; }
    void Connect(IReportViewerEvents *sink) { m_eventSink = sink; }
    void Disconnect() { m_eventSink = nullptr; }

private:
    IReportViewerEvents *m_eventSink = nullptr;
};

// The type library description as built into the program.
QString TypeLibraryDescription();
