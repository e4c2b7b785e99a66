# A msgfilter filter for the window tests: English text in, pseudo-translated text out.
# Vowels get accents and each line a Cyrillic tail 40 % of its length, so a shown text
# without Cyrillic letters escaped the catalog. Kept: {1} placeholders (digits), the menu
# accelerator after a tab, line breaks and the blanks at the end. Byte-wise, as any awk is.
BEGIN { RS = "\001" }
function pseudo(line,    tab, body, rest, n, tail, k, trail) {
    tab = index(line, "\t")
    body = tab ? substr(line, 1, tab - 1) : line
    rest = tab ? substr(line, tab) : ""
    if (body !~ /[^ ]/)
        return line
    n = int((length(body) * 4 + 9) / 10)
    if (n < 2) n = 2
    gsub(/a/, "á", body); gsub(/e/, "é", body); gsub(/i/, "î", body); gsub(/o/, "ö", body)
    gsub(/u/, "ü", body); gsub(/A/, "Å", body); gsub(/E/, "É", body); gsub(/O/, "Ö", body)
    tail = ""
    for (k = 0; k < n; k++) tail = tail (k % 2 ? "щ" : "Ж")
    match(body, / *$/)
    trail = substr(body, RSTART)
    body = substr(body, 1, RSTART - 1)
    return body " " tail trail rest
}
{
    count = split($0, lines, "\n")
    out = ""
    for (i = 1; i <= count; i++)
        out = out (i > 1 ? "\n" : "") pseudo(lines[i])
    printf "%s", out
}
