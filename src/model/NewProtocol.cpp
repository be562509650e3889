#include "model/NewProtocol.h"

#include "model/ProtocolNode.h"
#include "platform/Platform.h"

bool InitNewProtocol(ProtocolNode& node) {
    node.m_strFileName = "MyProtocol.pcl";
    node.m_strVersion = "Your Revision Number";
    node.m_strDate = Platform::Current().FormatLocalTime("%A, %B %d, %Y");
    node.m_strDescription = "Name of Protocol as it will appear in Cuewright";
    node.m_strLocation = "Local";
    node.m_strAuthor = "Your Name";
    node.m_strMaker = "Brand";
    node.m_strModel = "Specific Model Number";
    node.m_strSupported = "5.00";
    node.m_strType = "Video Switcher, for example";
    node.m_strInterface = "Serial";
    node.m_strDataBits = "8";
    node.m_strStopBits = "1";
    node.m_strParity = "N";
    node.m_strBaudRate = "9600";
    node.m_strProtocol = "Custom";
    node.m_strVantorType.clear();
    node.m_strAddress.clear();

    std::unique_ptr<Command> command = Command::CreateMessageOut();
    if (!command) {
        Platform::Current().MessageOk("Failed to create MessageOut command.");
        return false;
    }
    node.m_poCmndList->Append(std::move(command));
    return true;
}
