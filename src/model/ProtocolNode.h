#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "model/CommandList.h"
#include "model/OwningPtr.h"
#include "model/ProfileBuffer.h"
#include "model/Text.h"

// One protocol in memory: the device header as seventeen texts, the path it was
// read from, and its commands. Every value is held as the file's bytes, never
// converted, checked or trimmed. Reading and writing files build on this class in
// their own source files; the fields and their names are listed in FieldTable.h.
//
// The commands' texts refer into the file they were read from, which the node keeps
// loaded for as long as it lives; the device texts are few and have their own bytes.
class ProtocolNode {
public:
    ProtocolNode();
    ~ProtocolNode();
    ProtocolNode(const ProtocolNode&) = delete;
    ProtocolNode& operator=(const ProtocolNode&) = delete;

    // Exchanges everything with `other`, the files the texts refer into included, so
    // that a protocol read afresh can take the place of this one; nothing is copied.
    void Swap(ProtocolNode& other) noexcept;

    // Reads the device section of the file at `path` into the device fields and
    // records the path. False after a message; the node is then unchanged.
    bool ReadDevice(const std::string& path);
    // Appends one command per command section of the file read by ReadDevice.
    // False after a message; the commands read before the failure stay. Does
    // nothing once the commands have been read.
    bool ReadCommands();

    // The length of the file the commands were read from; 0 before they were read.
    std::size_t GetReadLength() const { return m_nReadLength; }

    // The path the protocol was read from (the file system's own bytes, not the
    // code page); "MyProtocol.pcl" for a new protocol. Never written to a file.
    Text m_strFileName;
    Text m_strVersion;
    Text m_strDescription;
    Text m_strLocation;
    Text m_strDate;
    Text m_strAuthor;
    Text m_strMaker;
    Text m_strModel;
    Text m_strSupported;
    Text m_strInterface;
    Text m_strType;
    Text m_strDataBits;
    Text m_strStopBits;
    Text m_strParity;
    Text m_strBaudRate;
    Text m_strAddress;
    Text m_strProtocol;
    Text m_strVantorType;
    // Owned, and read-only through a read-only protocol.
    OwningPtr<CommandList> m_poCmndList;
    bool m_bCommandsRead = false;

private:
    // The file ReadDevice loaded; ReadCommands reads the file again into the same
    // memory, so opening a protocol takes one block of the file's size, not two.
    ProfileBuffer m_oLoadedFile;
    // The files the commands' texts refer into: one, unless the commands were read
    // more than once.
    std::vector<std::unique_ptr<char[]>> m_oReadFiles;
    std::size_t m_nReadLength = 0;
};
