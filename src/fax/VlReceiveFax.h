// The receive fax component: answers calls, decides whether to take each one
// and names the file every received fax is stored in.
#pragma once

#include <functional>
#include <string>

#include "fax/VlAbstractFax.h"

namespace vl::fax {

class VlReceiveFax : public VlAbstractFax {
public:
    using AcceptEvent = std::function<void(VlReceiveFax& fax, bool& accept)>;
    using NameEvent = std::function<void(VlReceiveFax& fax, std::string& name)>;

    explicit VlReceiveFax(base::MessageLoop& loop);

    int AnswerOnRing = 1;
    bool FaxAndData = false;  // sent after "AT+FAA=" as 1 or 0
    bool OneFax = false;      // finish after one received fax
    bool ConstantStatus = false;
    // 1 counter names, 2 date names, any other value "noname.apf".
    int NamingMode = 1;

    AcceptEvent OnFaxAccept;  // `accept` starts true
    NameEvent OnFaxName;

    // Stored with a "/" added unless it ends in one (inside the closing quote
    // of a quoted value); an empty value stays empty: the working folder.
    const std::string& DestinationDir() const { return destinationDir_; }
    void SetDestinationDir(const std::string& folder);

    // Checks the port and starts answering calls.
    void StartReceive();

private:
    void ApplyOptions(FaxEngine& engine) override;
    std::intptr_t OnKindMessage(const base::WindowMessage& message) override;
    std::string DefaultName() const;

    std::string destinationDir_;
};

}  // namespace vl::fax
