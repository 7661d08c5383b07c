Status2=TAGArtist+" – "+TAGTitle
Status=lcase(TAGTitle)+" "+TAGStatus
Tray=ucase("ёж")
