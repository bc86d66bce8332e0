#include "demo/DemoContent.h"

namespace velmora::tool::demo {

// The demo's words and pages, one entry a line as written.
// clang-format off
namespace {

DemoItem I(std::string word, std::string fileName, std::string emoji, std::string diskName = {})
{
    return DemoItem{std::move(word), std::move(fileName), std::move(emoji), std::move(diskName)};
}

// Group 0 and the groups at 4 and 11 get the main window's uneven columns,
// the ninth (index 8) is a heading that passes a click on to the group after
// it, so it has no picture and no items of its own.
std::vector<DemoGroup> Groups()
{
    return {
        {"Zwierzęta", "zwierzeta", "🐾", false,
         {I("Posłuchaj", "sluchaj", "👂"), I("Powiedz", "powiedz", "👄")},
         {I("kot", "kot", "🐱", "Kot"), I("pies", "pies", "🐶"), I("krowa", "krowa", "🐮"),
          I("koń", "koń", "🐴"), I("świnia", "świnia", "🐷"), I("mysz", "mysz", "🐭"),
          I("żaba", "Żaba", "🐸", "żaba"), I("ryba", "ryba", "🐟")}},
        {"Głoska S", "gloska_s", "🦉", true,
         {I("Posłuchaj", "sluchaj", "👂")},
         {I("sowa", "sowa", "🦉"), I("ser", "ser", "🧀"), I("sok", "sok", "🧃"),
          I("samolot", "samolot", "✈️"), I("słoń", "Słoń", "🐘", "słoń"), I("sanki", "sanki", "🛷")}},
        {"Głoska SZ", "gloska_sz", "🧣", true,
         {},
         {I("szalik", "szalik", "🧣"), I("szachy", "szachy", "♟️"), I("mysz", "mysz", "🐭"),
          I("kapelusz", "kapelusz", "👒"), I("szkoła", "szkoła", "🏫"), I("gruszka", "gruszka", "🍐")}},
        {"Głoski Ż i RZ", "gloska_z", "🐸", false,
         {I("Powiedz", "powiedz", "👄")},
         {I("żaba", "Żaba", "🐸", "żaba"), I("żółw", "żółw", "🐢"), I("rzeka", "rzeka", "🏞️"),
          I("wąż", "wąż", "🐍"), I("róża", "róża", "🌹"), I("łyżka", "łyżka", "🥄")}},
        {"Głoska CZ", "gloska_cz", "🍫", false,
         {},
         {I("czekolada", "czekolada", "🍫"), I("czereśnie", "czereśnie", "🍒"), I("czapka", "czapka", "🧢"),
          I("klucz", "klucz", "🔑"), I("miecz", "miecz", "🗡️"), I("tęcza", "tęcza", "🌈"),
          I("kaczka", "kaczka", "🦆")}},
        {"Głoska C", "gloska_c", "🍋", true,
         {},
         {I("cytryna", "cytryna", "🍋"), I("cebula", "cebula", "🧅"), I("cukierek", "cukierek", "🍬"),
          I("owca", "owca", "🐑"), I("noc", "noc", "🌙"), I("pajac", "pajac", "🤡")}},
        {"Głoska R", "gloska_r", "🚀", false,
         {I("Posłuchaj", "sluchaj", "👂"), I("Powiedz", "powiedz", "👄")},
         {I("rower", "rower", "🚲"), I("rak", "rak", "🦞"), I("ryba", "ryba", "🐟"),
          I("rakieta", "rakieta", "🚀"), I("ręka", "ręka", "✋"), I("traktor", "traktor", "🚜")}},
        {"Głoska L", "gloska_l", "🦁", true,
         {},
         {I("lody", "lody", "🍦"), I("lis", "lis", "🦊"), I("lampa", "lampa", "💡"),
          I("las", "las", "🌲"), I("lew", "lew", "🦁"), I("balon", "balon", "🎈")}},
        {"Słowa na co dzień", "codzien", "", false, {}, {}},
        {"Owoce", "owoce", "🍎", true,
         {},
         {I("jabłko", "jabłko", "🍎"), I("gruszka", "gruszka", "🍐"), I("banan", "banan", "🍌"),
          I("winogrona", "winogrona", "🍇"), I("truskawka", "truskawka", "🍓"), I("arbuz", "arbuz", "🍉"),
          I("cytryna", "cytryna", "🍋")}},
        {"Pojazdy", "pojazdy", "🚗", true,
         {},
         {I("auto", "auto", "🚗"), I("autobus", "autobus", "🚌"), I("pociąg", "pociąg", "🚂"),
          I("statek", "statek", "🚢"), I("helikopter", "helikopter", "🚁"), I("motocykl", "motocykl", "🏍️"),
          I("rower", "rower", "🚲")}},
        {"Dom i zabawki", "zabawki", "", false,
         {I("Posłuchaj", "sluchaj", "👂")},
         {I("piłka", "piłka", "⚽"), I("miś", "miś", "🧸"), I("lalka", "lalka", "🪆"),
          I("klocki", "klocki", "🧱"), I("domek", "domek", "🏠"), I("książka", "książka", "📕"),
          I("zegar", "zegar", "⏰"), I("łóżko", "łóżko", "🛏️")}},
    };
}

std::vector<DemoHelpPage> HelpPages()
{
    return {
        {"", "pomoc01", 20, "Witamy w programie Velmora",
         {"Velmora pomaga ćwiczyć słuchanie i rozpoznawanie głosek u dzieci w wieku przedszkolnym. "
          "Dziecko ogląda obrazki, słucha nagranych słów i próbuje je powtórzyć.",
          "Po lewej stronie okna jest menu z grupami ćwiczeń. Na środku pojawiają się obrazki wybranej grupy, "
          "a na dole przyciski: Start, odstęp, głośność, pomoc, alfabet fonetyczny i informacje o programie.",
          "Program nie zapisuje niczego na dysku i nie wymaga ustawień. Wystarczy go uruchomić."}},
        {"zwierzeta", "pomoc02", 30, "Jak wybrać grupę ćwiczeń",
         {"Kliknij obrazek grupy w menu po lewej stronie. Wybrana grupa jest podświetlona na niebiesko.",
          "Grupy wcięte w prawo należą do grupy nad nimi. Napis bez obrazka jest nagłówkiem: "
          "kliknięcie go otwiera pierwszą grupę pod nim.",
          "Nad obrazkami widać tytuł grupy. Gdy menu jest dłuższe niż okno, przewiń je kółkiem myszy."}},
        {"gloska_s", "pomoc03", 30, "Jak odtworzyć słowo",
         {"Pierwszy obrazek w grupie ma znak głośnika. Kliknij głośnik, a program wypowie słowo.",
          "Kliknięcie w innym miejscu obrazka nie odtwarza dźwięku. Gdy głośnika brak, "
          "do tego obrazka nie ma nagrania.",
          "Poproś dziecko, aby powtórzyło usłyszane słowo, a potem wskazało pasujący obrazek."}},
        {"gloska_sz", "pomoc04", 30, "Powtarzanie: Start i Stop",
         {"Przycisk Start odtwarza wybrane słowo raz za razem. Między powtórzeniami program czeka "
          "tyle, ile ustawiono suwakiem odstępu.",
          "Napis na przycisku zmienia się na Stop. Kliknij Stop, aby od razu przerwać powtarzanie.",
          "Powtarzanie przydaje się, gdy dziecko ma wsłuchać się w jedną głoskę kilka razy."}},
        {"gloska_z", "pomoc05", 30, "Odstęp między powtórzeniami",
         {"Suwak Odstęp ustawia przerwę od 0 do 2 sekund, co dwie dziesiąte sekundy. "
          "Nad suwakiem widać aktualny odstęp w milisekundach.",
          "Krótki odstęp sprzyja szybkiemu powtarzaniu. Dłuższy daje dziecku czas na własną odpowiedź."}},
        {"gloska_cz", "pomoc06", 30, "Głośność",
         {"Suwak Głośność ustawia głośność od 0 do 100. Zmiana działa od razu, także w czasie odtwarzania.",
          "Gdy komputer nie ma wyjścia dźwięku, suwak jest nieaktywny.",
          "Dla małych dzieci wybierz głośność umiarkowaną i sprawdź ją najpierw sam."}},
        {"gloska_c", "pomoc07", 30, "Obrazki i podpisy",
         {"Każdy obrazek ma podpis z nazwą przedmiotu. Obrazki ustawiają się w dwóch kolumnach "
          "i powiększają się razem z oknem.",
          "Przy zmianie rozmiaru okna obrazki są przez chwilę rozmyte, a po chwili rysują się dokładnie."}},
        {"gloska_r", "pomoc08", 30, "Jak ćwiczyć z dzieckiem",
         {"Ćwicz krótko, po kilka minut, ale często. Chwal każdą próbę.",
          "Najpierw niech dziecko słucha i wskazuje obrazki. Potem niech powtarza słowa, "
          "na końcu niech samo nazywa obrazki.",
          "Zwracaj uwagę na jedną głoskę naraz, na przykład tylko na SZ albo tylko na R."}},
        {"gloska_l", "pomoc09", 30, "Alfabet fonetyczny",
         {"Przycisk Międzynarodowy alfabet fonetyczny otwiera plansze z symbolami głosek: "
          "spółgłoski, samogłoski i znaki diakrytyczne.",
          "Strzałkami przechodzisz między planszami. Na pierwszej planszy są odnośniki do stron "
          "Międzynarodowego Stowarzyszenia Fonetycznego."}},
        {"pojazdy", "pomoc10", 30, "Okno pomocy",
         {"Pomoc pokazuje strony jedna pod drugą. Przewiń je suwakiem, kółkiem myszy albo strzałkami.",
          "Przyciski powiększenia zmieniają wielkość tekstu od 50 do 100 procent, "
          "tak samo jak Ctrl i plus lub minus.",
          "Pomoc otwiera się na stronie, która opisuje wybraną grupę ćwiczeń."}},
        {"zabawki", "pomoc11", 30, "O programie",
         {"Przycisk O programie pokazuje wersję programu i dane kontaktowe.",
          "Treści ćwiczeń (obrazki, nagrania i pomoc) są zapisane w katalogu programu i można je "
          "zastąpić własnymi."}},
        {"klawiatura", "pomoc12", 30, "Klawiatura",
         {"Programem można kierować bez myszy. Klawisz Tab przechodzi kolejno przez menu, obrazki, "
          "Start, odstęp, głośność, pomoc, alfabet fonetyczny i O programie.",
          "W menu strzałki w górę i w dół, Home, End, Page Up i Page Down wybierają grupę. "
          "Wśród obrazków strzałki przechodzą od obrazka do obrazka, a Enter wypowiada słowo.",
          "Spacja włącza i wyłącza powtarzanie, a na przycisku naciska ten przycisk; Enter także. "
          "Plus i minus zmieniają głośność o 10.",
          "F1 otwiera tę pomoc na stronie wybranej grupy, F11 włącza i wyłącza pełny ekran, "
          "Ctrl+Q zamyka program.",
          "W alfabecie fonetycznym strzałki w lewo i w prawo, Page Up, Page Down, Home i End "
          "zmieniają plansze. W pomocy strzałki, Page Up i Page Down przewijają strony. "
          "Escape zamyka okno."}},
    };
}

}  // namespace
// clang-format on

DemoSet DemoContentSet()
{
    DemoSet set;
    set.groups = Groups();
    set.helpPages = HelpPages();
    set.links = {
        {"Międzynarodowe Stowarzyszenie Fonetyczne", "https://www.internationalphoneticassociation.org"},
        {"Alfabet IPA w Wikipedii", "https://pl.wikipedia.org/wiki/Międzynarodowy_alfabet_fonetyczny"},
    };
    set.presentationPages = {"ipa1", "ipa2", "ipa3", "ipa4", "ipa5", "ipa6"};
    set.missingClip = "auto";
    return set;
}

}  // namespace velmora::tool::demo
