#include "SamplePhoneBook.h"

#include <array>
#include <stdexcept>

#include "store/FaxTables.h"

namespace vl::tools {

namespace {

constexpr std::array kFirst = {"Ana",   "Björn", "Chloé", "David",  "Emeka", "Fatima", "Grace", "Hiro",
                               "Ines",  "Jonas", "Kofi",  "Leila",  "Marta", "Nikos",  "Olga",  "Priya"};
constexpr std::array kLast = {"Whitfield", "Okafor",   "Lindqvist", "Moreau",  "Tanaka",    "Haddad",
                              "Novak",     "O'Brien",  "Castillo",  "Schmidt", "Mensah",    "Kowalski",
                              "Rossi",     "Andersen", "Fischer",   "Dubois",  "Ivanova"};
constexpr std::array kCompanies = {"Harbour Logistics", "Lakeside Clinic", "Northwind Supply", "Baker & Sons Ltd",
                                   "City Planning Office", "Registry Office"};

}  // namespace

std::string SamplePhoneBookName(int i)
{
    const auto n = static_cast<std::size_t>(i);
    // Each company once, among the first people.
    const bool company = n % 7 == 3 && n / 7 < kCompanies.size();
    std::string name = company ? std::string(kCompanies[n / 7])
                               : std::string(kFirst[n % kFirst.size()]) + " " + kLast[n / kFirst.size() % kLast.size()];
    // Past the first round of names each one carries the round's number.
    const std::size_t round = n / (kFirst.size() * kLast.size());
    return round == 0 ? name : name + " " + std::to_string(round + 1);
}

void WriteSamplePhoneBook(const std::string& programFolder, int entries)
{
    store::FaxTableOpenResult opened = store::OpenOrCreatePhoneBook(programFolder, true);
    if (!opened.ok)
        throw std::runtime_error("cannot open the phone book: " + opened.error);
    store::Table& book = *opened.table;
    book.BeginBatch();
    for (int i = 0; i < entries; ++i) {
        book.AppendBlank();
        book.SetText("NAME", SamplePhoneBookName(i));
        book.SetText("PHONE", "+1 555 " + std::to_string(1000 + (i * 37) % 9000));
        book.Post();
    }
    book.EndBatch();
    book.Close();
}

}  // namespace vl::tools
