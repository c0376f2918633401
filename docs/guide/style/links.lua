-- Links between the guide's pages are written to the Markdown sources (page.md, so that
-- they work where the sources are read) and point to the built pages (page.html).
function Link(link)
  link.target = link.target:gsub("^([%w%-]+)%.md(#?.*)$", "%1.html%2")
  return link
end
