#pragma once

#include <memory>
#include <string>

#include "model/CommandList.h"

// One protocol in memory: the device header as seventeen texts, the path it was
// read from, and its commands. Every value is held as the file's bytes, never
// converted, checked or trimmed. Reading and writing files build on this class in
// their own source files.
class ProtocolNode {
public:
    ProtocolNode();
    ~ProtocolNode();
    ProtocolNode(const ProtocolNode&) = delete;
    ProtocolNode& operator=(const ProtocolNode&) = delete;

    // Reads the device section of the file at `path` into the device fields and
    // records the path. False after a message; the node is then unchanged.
    bool ReadDevice(const std::string& path);
    // Appends one command per command section of the file read by ReadDevice.
    // False after a message; the commands read before the failure stay. Does
    // nothing once the commands have been read.
    bool ReadCommands();

    // The path the protocol was read from (the file system's own bytes, not the
    // code page); "MyProtocol.pcl" for a new protocol. Never written to a file.
    std::string m_strFileName;
    std::string m_strVersion;
    std::string m_strDescription;
    std::string m_strLocation;
    std::string m_strDate;
    std::string m_strAuthor;
    std::string m_strMaker;
    std::string m_strModel;
    std::string m_strSupported;
    std::string m_strInterface;
    std::string m_strType;
    std::string m_strDataBits;
    std::string m_strStopBits;
    std::string m_strParity;
    std::string m_strBaudRate;
    std::string m_strAddress;
    std::string m_strProtocol;
    std::string m_strVantorType;
    std::unique_ptr<CommandList> m_poCmndList;
    bool m_bCommandsRead = false;
};
